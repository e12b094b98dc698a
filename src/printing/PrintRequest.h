#pragma once

#include <QImage>
#include <QString>

#include <bitset>
#include <initializer_list>

namespace tagwright::printing {

// The body's font as the template sets it.
struct BodyFont {
    QString FontName = QStringLiteral("MS Sans Serif");
    float FontSize = 8.25f;  // points
    bool FontBold = true;
    bool FontItalic = false;

    bool operator==(const BodyFont&) const = default;
};

// One header line: the template's caption and the value typed beside it.
struct HeaderLine {
    QString caption;
    QString value;
};

// The six header lines by place, named after the captions a new template gives them (a
// template may caption them otherwise): the left column top to bottom, then the right one.
enum class HeaderSlot { Registration, Make, Serial, Tach, TotalTime, SinceOverhaul };
inline constexpr HeaderSlot AllHeaderSlots[] = {HeaderSlot::Registration, HeaderSlot::Make,
                                                HeaderSlot::Serial,       HeaderSlot::Tach,
                                                HeaderSlot::TotalTime,    HeaderSlot::SinceOverhaul};

// The shop's block: name, address, city-state-zip line and phone, and the repair station's
// certificate number when the shop has one.
struct CompanyBlock {
    QString name;
    QString address;
    QString cityStateZip;
    QString phone;
    QString repairStation = {};
};

// What one label shows, whatever the stock it is printed on.
struct LabelContent {
    HeaderLine registration, make, serial;
    HeaderLine tach, totalTime, sinceOverhaul;
    QString date;

    QString body;  // lines separated by carriage return + line feed
    BodyFont bodyFont;

    // The logo box's pixels as the window shows them (LogoPicture::boxPixels); a null image
    // when the template has no logo.
    QImage logo;

    bool printsCompany = false;
    CompanyBlock company;
    bool printsSignature = false;
    QString signatory;  // as typed or chosen; may be empty
    // The certificate of the signatory's profile, printed after the name; empty for a name
    // without a profile.
    QString certificateKind;
    QString certificateNumber;

    HeaderLine& line(HeaderSlot slot);
    const HeaderLine& line(HeaderSlot slot) const;
};

// Print position adjustments, in whole twips: rows move labels down, columns move them
// right. Kept wide so that one moving a label outside the printable range can be refused.
struct PrintOffsets {
    double topRow = 0;
    double middleRow = 0;
    double bottomRow = 0;
    double leftColumn = 0;
    double rightColumn = 0;
};

// Cells 1 to 6 of a laser sheet that are already used.
class UsedCells {
public:
    UsedCells() = default;
    UsedCells(std::initializer_list<int> cells)
    {
        for (int cell : cells)
            insert(cell);
    }

    bool contains(int cell) const { return valid(cell) && m_cells.test(std::size_t(cell - 1)); }
    void insert(int cell)
    {
        if (valid(cell))
            m_cells.set(std::size_t(cell - 1));
    }
    void remove(int cell)
    {
        if (valid(cell))
            m_cells.reset(std::size_t(cell - 1));
    }
    bool full() const { return m_cells.all(); }
    bool operator==(const UsedCells&) const = default;

private:
    static bool valid(int cell) { return cell >= 1 && cell <= 6; }
    std::bitset<6> m_cells;
};

// How many labels go onto which cells of laser sheets, and where each cell lies.
struct SheetRequest {
    // The number of labels; what is below 1 prints none. A fraction prints its whole part.
    double copies = 1;
    // The print panel starts with cell 1 free and cells 2 to 6 used.
    UsedCells used{2, 3, 4, 5, 6};
    PrintOffsets offsets;
};

// The two label stocks a shop prints on: sheets of six laser / inkjet labels, or continuous
// tractor-feed labels.
enum class LabelStock { Laser, Tractor };

// What one print command prints, and on which stock. Tractor feed reads only the top row and
// left column offsets of the sheet request.
struct PrintRequest {
    LabelContent label;
    SheetRequest sheet;
    LabelStock stock = LabelStock::Laser;
};

// An empty header value a job filled with underscores; the window shows them afterwards.
struct ValueFill {
    HeaderSlot slot;
    QString text;
};

inline HeaderLine& LabelContent::line(HeaderSlot slot)
{
    switch (slot) {
    case HeaderSlot::Registration: return registration;
    case HeaderSlot::Make: return make;
    case HeaderSlot::Serial: return serial;
    case HeaderSlot::Tach: return tach;
    case HeaderSlot::TotalTime: return totalTime;
    case HeaderSlot::SinceOverhaul: return sinceOverhaul;
    }
    return registration;
}

inline const HeaderLine& LabelContent::line(HeaderSlot slot) const
{
    return const_cast<LabelContent&>(*this).line(slot);
}

}  // namespace tagwright::printing

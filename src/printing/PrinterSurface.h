#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace tagwright::printing {

// The typeface state that text is printed in. It stays in force across pages and jobs:
// the composers set only what changes (a step that sets only FontBold keeps name and size).
struct FontState {
    QString name = QStringLiteral("Arial");
    float size = 8.0f;  // points
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontState&, const FontState&) = default;
};

enum class LineEnd { EndLine, StayOnLine };

// Colours are 0xBBGGRR: red in the low byte, so 0xC0C0C0 is the light grey.
using Colour = quint32;

// The drawing surface every label is composed on, in twips (1440 to the inch) from the top
// left corner of the printable area. This class owns the state every back end must share
// (print position, font, open job, page size) and its exact changes; a back end supplies
// only measuring and drawing. Operations raise PrinterError.
class PrinterSurface {
public:
    virtual ~PrinterSurface() = default;
    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    // Font properties. A value the back end cannot take raises error 380 and leaves the
    // font as it was.
    QString FontName() const { return m_font.name; }
    void FontName(const QString& name);
    float FontSize() const { return m_font.size; }
    void FontSize(float points);
    bool FontBold() const { return m_font.bold; }
    void FontBold(bool bold);
    bool FontItalic() const { return m_font.italic; }
    void FontItalic(bool italic);
    const FontState& font() const { return m_font; }

    // Print position in twips; moving it draws nothing.
    float CurrentX() const { return m_currentX; }
    void CurrentX(float twips) { m_currentX = twips; }
    float CurrentY() const { return m_currentY; }
    void CurrentY(float twips) { m_currentY = twips; }

    // Twips, in the current font. TextHeight is one line pitch per line, lines being
    // separated by carriage return + line feed pairs.
    float TextWidth(const QString& text);
    float TextHeight(const QString& text);

    // Draws text with the top of its line at CurrentY. Ending the line moves to x 0 one
    // TextHeight lower; staying on it moves CurrentX right by TextWidth.
    void Print(const QString& text, LineEnd end = LineEnd::EndLine);
    // A thin line; the position ends at (x2, y2).
    void Line(float x1, float y1, float x2, float y2, Colour colour = 0);
    // A box from (x, y) of the relative size (dx, dy), outline and inside in one colour;
    // the position ends at the far corner.
    void FilledBox(float x, float y, float dx, float dy, Colour colour);
    // Whether Picture() may be used: the back end draws a picture in one piece.
    virtual bool drawsPictures() const { return false; }
    // A picture with its top left corner at (x, y), each pixel a box of one display pixel's
    // size (TwipsPerPixelX by TwipsPerPixelY); transparent pixels print nothing. It prints
    // what a FilledBox for each of the other pixels would, and the position ends where the
    // last of those boxes would leave it. A picture without any such pixel does nothing.
    void Picture(float x, float y, const QImage& pixels);

    // Sets the page size of the job in twips; opens no job. Unset, the back end's own paper
    // is used.
    void PageSize(float widthTwips, float heightTwips);
    std::optional<QSizeF> pageSize() const { return m_pageSize; }

    // Ends the page; later output goes on a new page of the same job.
    void NewPage();
    // Ends the job and hands it over. Without output since the last one it sends nothing.
    void EndDoc();
    // Discards the open job, used when a job is abandoned after repeated errors.
    void KillDoc();

    // Size of one display pixel in twips: the logo is printed at its size on the screen.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;

    bool jobOpen() const { return m_jobOpen; }
    int jobsSent() const { return m_jobsSent; }

protected:
    PrinterSurface() = default;

    // Raises PrinterError(380) when the back end cannot take the font.
    virtual void checkFont(const FontState& font) = 0;
    // Twips, in the current font.
    virtual float measureWidth(const QString& text) = 0;
    virtual float linePitch() = 0;

    virtual void beginJob() = 0;
    virtual void drawText(float x, float y, const QString& text, LineEnd end) = 0;
    virtual void drawLine(float x1, float y1, float x2, float y2, Colour colour) = 0;
    virtual void fillBox(float x, float y, float dx, float dy, Colour colour) = 0;
    // `pixels` (ARGB32) spread over `twips`. By default a box for each pixel that is not
    // transparent; a back end that draws pictures whole says so in drawsPictures().
    virtual void drawPicture(const QRectF& twips, const QImage& pixels);
    virtual void pageSizeChanged(float widthTwips, float heightTwips) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    virtual void abortJob() = 0;

private:
    void setFont(const FontState& font);
    void openJob();

    FontState m_font;
    float m_currentX = 0;
    float m_currentY = 0;
    std::optional<QSizeF> m_pageSize;
    bool m_jobOpen = false;
    int m_jobsSent = 0;
};

}  // namespace tagwright::printing

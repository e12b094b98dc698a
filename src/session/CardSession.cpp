#include "CardSession.h"

#include "ShopSettings.h"
#include "SignatoryCertificate.h"

#include "printing/BoxText.h"
#include "store/TemplateStore.h"

namespace tagwright::session {

CardSession::CardSession(const ShopSettings* shop, const store::SignatoryStore* signatories, QObject* parent)
    : QObject(parent), m_shop(shop), m_signatories(signatories)
{
}

store::Result<printing::PrintRequest> CardSession::printRequest() const
{
    using namespace printing;
    PrintRequest request;
    LabelContent& label = request.label;
    for (HeaderSlot slot : AllHeaderSlots)
        label.line(slot) = {caption(int(slot)), aircraftValue(int(slot))};
    label.date = m_date;
    label.printsCompany = m_printsCompany;
    label.printsSignature = m_printsSignature;
    label.signatory = m_signatory;
    if (m_signatories) {
        if (store::StoreError error = addSignatoryCertificate(*m_signatories, label); !error.ok())
            return error;
    }
    label.body = store::storedBody(m_body);
    label.bodyFont = m_bodyFont;
    label.logo = m_logos.boxPixels(m_logo);

    SheetRequest& sheet = request.sheet;
    sheet.copies = m_copies;
    sheet.used = {};
    for (int cell = 1; cell <= SheetCells; ++cell) {
        if (cellUsed(cell))
            sheet.used.insert(cell);
    }
    if (!m_shop)
        return request;
    const store::Result<LabelStock> stock = m_shop->printedStock();
    if (!stock)
        return stock.error();
    request.stock = *stock;
    const store::ShopRecord& shop = m_shop->stored();
    label.company = {shop.companyName, shop.address, shop.cityStateZip, shop.phone, shop.repairStation};
    // Read once, by their leading number, as the boxes show them.
    double* const offsets[5] = {&sheet.offsets.topRow, &sheet.offsets.middleRow,
                                &sheet.offsets.bottomRow, &sheet.offsets.leftColumn,
                                &sheet.offsets.rightColumn};
    for (std::size_t i = 0; i < 5; ++i)
        *offsets[i] = boxtext::offsetTwips(shop.offsetTexts[i]);
    return request;
}

void CardSession::showFilledValues(const QVector<printing::ValueFill>& filled)
{
    for (const printing::ValueFill& fill : filled)
        setAircraftValue(int(fill.slot), fill.text);
}

// What the card holds once the views have shown it, not what was set: a title box cuts a
// long title to its length, and that alone is no change by the user.
void CardSession::markShown()
{
    m_shownTitle = m_title;
    m_shownBody = m_body;
}

void CardSession::showTitleAndBody(const store::Template& stored)
{
    m_onShow = stored;
    setTitle(stored.title);
    setBody(store::shownBody(stored.body));
    markShown();
}

void CardSession::show(const store::Template& stored)
{
    m_onShow = stored;
    setTitle(stored.title);
    setBody(store::shownBody(stored.body));
    setBodyFont({stored.fontName, stored.fontSize, stored.bold, stored.italic});
    setLogo(stored.logo);
    setPrintsCompany(stored.printsCompany);
    setPrintsSignature(stored.printsSignature);
    for (int line = 0; line < HeaderLines; ++line)
        setCaption(line, stored.captions[std::size_t(line)]);
    markShown();
    leaveEditing();
    Q_EMIT shown();
}

void CardSession::recordWritten(const store::Template& stored)
{
    m_onShow = stored;
    markShown();
}

void CardSession::recordRewritten(const store::Template& stored)
{
    m_onShow = stored;
}

store::Template CardSession::edited() const
{
    store::Template card;
    card.key = m_onShow.key;
    card.title = m_title;
    card.body = store::storedBody(m_body);
    card.fontName = m_bodyFont.FontName;
    card.fontSize = m_bodyFont.FontSize;
    card.bold = m_bodyFont.FontBold;
    card.italic = m_bodyFont.FontItalic;
    card.fontNamed = store::Template::FontNamed::Fully;
    card.logo = m_logo;
    card.printsCompany = m_printsCompany;
    card.printsSignature = m_printsSignature;
    card.captions = m_captions;
    return card;
}

void CardSession::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    Q_EMIT titleChanged();
}

void CardSession::setBody(const QString& body)
{
    if (m_body == body)
        return;
    m_body = body;
    Q_EMIT bodyChanged();
}

void CardSession::setBodyFont(const BodyFont& font)
{
    if (m_bodyFont == font)
        return;
    m_bodyFont = font;
    Q_EMIT bodyFontChanged();
}

void CardSession::setLogo(const QString& path)
{
    if (m_logo == path)
        return;
    m_logo = path;
    Q_EMIT logoChanged();
}

CardSession::Parts CardSession::differsFromStored() const
{
    Parts parts;
    if (titleEdited())
        parts |= Part::Title;
    if (bodyEdited())
        parts |= Part::Body;
    if (!m_onShow.stored())
        return parts;
    const store::Template& stored = m_onShow;
    if (m_captions != stored.captions)
        parts |= Part::Captions;
    if (m_printsCompany != stored.printsCompany || m_printsSignature != stored.printsSignature)
        parts |= Part::Options;
    if (m_logo != stored.logo)
        parts |= Part::Logo;
    return parts;
}

void CardSession::setCaption(int line, const QString& caption)
{
    if (line < 0 || line >= HeaderLines || m_captions[std::size_t(line)] == caption)
        return;
    m_captions[std::size_t(line)] = caption;
    Q_EMIT captionChanged(line);
}

void CardSession::setPrintsCompany(bool prints)
{
    if (m_printsCompany == prints)
        return;
    m_printsCompany = prints;
    Q_EMIT optionsChanged();
}

void CardSession::setPrintsSignature(bool prints)
{
    if (m_printsSignature == prints)
        return;
    m_printsSignature = prints;
    Q_EMIT optionsChanged();
}

void CardSession::setAircraftValue(int line, const QString& value)
{
    if (line < 0 || line >= HeaderLines || m_values[std::size_t(line)] == value)
        return;
    m_values[std::size_t(line)] = value;
    Q_EMIT aircraftValueChanged(line);
}

void CardSession::setDate(const QString& date)
{
    if (m_date == date)
        return;
    m_date = date;
    Q_EMIT dateChanged();
}

void CardSession::setSignatory(const QString& signatory)
{
    if (m_signatory == signatory)
        return;
    m_signatory = signatory;
    Q_EMIT signatoryChanged();
}

void CardSession::setCopies(double copies)
{
    if (m_copies == copies)
        return;
    m_copies = copies;
    Q_EMIT copiesChanged();
}

bool CardSession::cellUsed(int cell) const
{
    return cell >= 1 && cell <= SheetCells && m_used.test(std::size_t(cell - 1));
}

void CardSession::setCellUsed(int cell, bool used)
{
    if (cell < 1 || cell > SheetCells || cellUsed(cell) == used)
        return;
    m_used.set(std::size_t(cell - 1), used);
    Q_EMIT cellUsedChanged(cell);
}

void CardSession::markPrintedCells(const printing::UsedCells& lastSheetCells)
{
    for (int cell = 1; cell <= SheetCells; ++cell) {
        if (lastSheetCells.contains(cell))
            setCellUsed(cell, true);
    }
    if (m_used.all()) {
        for (int cell = 1; cell <= SheetCells; ++cell)
            setCellUsed(cell, false);
    }
}

void CardSession::changeMode(const WindowMode& mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    Q_EMIT modeChanged();
}

void CardSession::enterEditing()
{
    WindowMode mode = m_mode;
    mode.editing = true;
    mode.saveOffered = true;
    mode.buttonsFreedByPrint = false;
    changeMode(mode);
}

void CardSession::leaveEditing()
{
    WindowMode mode = m_mode;
    mode.editing = false;
    mode.saveOffered = false;
    mode.buttonsFreedByPrint = false;
    changeMode(mode);
}

void CardSession::setSaveOffered(bool offered)
{
    WindowMode mode = m_mode;
    mode.saveOffered = offered;
    changeMode(mode);
}

void CardSession::openPrintOptions()
{
    WindowMode mode = m_mode;
    mode.panel = Panel::PrintOptions;
    changeMode(mode);
}

void CardSession::closePrintOptions()
{
    WindowMode mode = m_mode;
    mode.panel = Panel::None;
    mode.saveOffered = true;
    mode.buttonsFreedByPrint = true;
    changeMode(mode);
}

void CardSession::setSetupPanelOpen(bool open)
{
    WindowMode mode = m_mode;
    mode.panel = open ? Panel::Setup : Panel::None;
    // Save is off while the panel is up and after it closes, whatever it was before.
    mode.saveOffered = false;
    changeMode(mode);
}

}  // namespace tagwright::session

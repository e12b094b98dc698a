#include "SetupPanel.h"

#include "SetupHost.h"

#include "session/ShopSettings.h"
#include "store/TemplateStore.h"
#include "ui/FormLayout.h"
#include "ui/ListSearch.h"
#include "ui/UserDialogs.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tagwright::setup {

SetupPanel::SetupPanel(const SetupHost& host)
    : QObject(&host.window), m_window(host.window), m_setupButton(host.commands.setupButton),
      m_dialogs(host.dialogs), m_mainDatabase(host.mainDatabase), m_shop(host.shop),
      m_card(host.card), m_notices(host.notices), m_controls(buildSetupPanel(&host.cardArea))
{
    setObjectName(QStringLiteral("SetupPanel"));
    setKeyboardOrder();
    bindSettings();
    showSetupButtonAs(false);
    connect(m_setupButton, &QPushButton::clicked, this, &SetupPanel::toggle);
    connect(m_controls.cancelButton, &QPushButton::clicked, this, &SetupPanel::cancel);
    // Escape that no box of the panel takes reaches the panel; one taken by a panel shown
    // over it (the information) stays that panel's.
    m_controls.panel->installEventFilter(this);
}

bool SetupPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.panel && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool SetupPanel::isOpen() const
{
    return !m_controls.panel->isHidden();
}

void SetupPanel::toggle()
{
    if (isOpen())
        close();
    else
        open();
}

// The boxes show the edited settings; what is typed, ticked or chosen is the edited settings.
// Each load of the stored settings offers the templates as they stand in the list first.
void SetupPanel::bindSettings()
{
    const SetupPanelControls& c = m_controls;
    const auto takeEdits = [this] { m_shop.setEdited(settingsOnScreen()); };
    for (QLineEdit* box : {c.companyNameBox, c.addressBox, c.cityStateZipBox, c.phoneBox, c.repairStationBox})
        connect(box, &QLineEdit::textChanged, this, takeEdits);
    for (QLineEdit* box : c.offsetBoxes)
        connect(box, &QLineEdit::textChanged, this, takeEdits);
    connect(c.laserOption, &QRadioButton::toggled, this, takeEdits);
    connect(c.defaultLabelList, &QComboBox::currentIndexChanged, this, takeEdits);
    connect(&m_shop, &session::ShopSettings::editedChanged, this, &SetupPanel::showEdited);
    connect(&m_shop, &session::ShopSettings::storedChanged, this, [this] {
        if (!isOpen())
            refillDefaultLabelList();
        showEdited();
    });
}

void SetupPanel::showEdited()
{
    const store::ShopRecord& shop = m_shop.edited();
    const SetupPanelControls& c = m_controls;
    const std::pair<QLineEdit*, QString> texts[] = {
        {c.companyNameBox, shop.companyName}, {c.addressBox, shop.address},
        {c.cityStateZipBox, shop.cityStateZip}, {c.phoneBox, shop.phone},
        {c.repairStationBox, shop.repairStation},
        {c.offsetBoxes[0], shop.offsetTexts[0]}, {c.offsetBoxes[1], shop.offsetTexts[1]},
        {c.offsetBoxes[2], shop.offsetTexts[2]}, {c.offsetBoxes[3], shop.offsetTexts[3]},
        {c.offsetBoxes[4], shop.offsetTexts[4]},
    };
    for (const auto& [box, text] : texts) {
        if (box->text() != text) {
            const QSignalBlocker quiet(box);
            box->setText(text);
        }
    }
    const bool laser = shop.labelStyle.setupPanelStock() == store::LabelStock::Laser;
    for (auto [option, on] : {std::pair{c.laserOption, laser}, std::pair{c.tractorOption, !laser}}) {
        const QSignalBlocker quiet(option);
        option->setChecked(on);
    }
    const QSignalBlocker quiet(c.defaultLabelList);
    c.defaultLabelList->setCurrentIndex(ui::exactListSearch(c.defaultLabelList, shop.defaultLabel));
}

// Templates without a title are left out. One query and one insertion keep a large file
// quick.
void SetupPanel::refillDefaultLabelList()
{
    const store::Result<QVector<store::TemplateTitle>> titles = store::TemplateStore(m_mainDatabase).titles();
    if (!titles) {
        m_dialogs.showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Templates not read"),
                              titles.error().describe());
        return;
    }
    QStringList present;
    present.reserve(titles->size());
    for (const store::TemplateTitle& title : *titles) {
        if (!title.title.isNull())
            present << title.title.toString();
    }
    QComboBox* list = m_controls.defaultLabelList;
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(present);
    list->setCurrentIndex(ui::exactListSearch(list, m_shop.edited().defaultLabel));
}

void SetupPanel::open()
{
    QFrame* panel = m_controls.panel;
    panel->show();
    panel->raise();
    m_notices.setupPanelOpened();
    showSetupButtonAs(true);
    // Settings and signatories saved at another workstation since start-up are shown now,
    // the templates as they stand offered.
    if (store::StoreError error = m_card.refreshSignatories(); !error.ok()) {
        m_dialogs.showMessage(&m_window, QMessageBox::Critical,
                              QStringLiteral("Settings not read"), error.describe());
    }
    refillDefaultLabelList();
    if (store::StoreError error = m_shop.load(); !error.ok()) {
        m_dialogs.showMessage(&m_window, QMessageBox::Critical,
                              QStringLiteral("Settings not read"), error.describe());
    }
    m_controls.companyNameBox->setFocus();
}

void SetupPanel::close()
{
    if (!saveSettings())
        return;
    hidePanel();
}

void SetupPanel::cancel()
{
    if (!isOpen())
        return;
    m_shop.setEdited(m_shop.stored());
    hidePanel();
}

// The card under the panel is shown again as it was left: the template, what was typed on
// it and the aircraft values stay (a new default label is shown the next time the window
// shows its default template).
void SetupPanel::hidePanel()
{
    m_notices.setupPanelClosed();
    showSetupButtonAs(false);
    // The focus goes back to the setup button before the panel goes: handed on round the
    // window it would land in the title box, whose leaving writes the template.
    m_setupButton->setFocus(Qt::OtherFocusReason);
    m_controls.panel->hide();
}

void SetupPanel::showSetupButtonAs(bool panelOpen)
{
    QPushButton* button = m_setupButton;
    ui::setEnabledCaptionColour(button, panelOpen ? button->palette().color(QPalette::WindowText)
                                                  : setupCaptionBlue());
    button->setText(panelOpen ? QStringLiteral("Save") : QStringLiteral("Setup"));
}

store::ShopRecord SetupPanel::settingsOnScreen() const
{
    const SetupPanelControls& c = m_controls;
    store::ShopRecord settings;
    settings.companyName = c.companyNameBox->text();
    settings.address = c.addressBox->text();
    settings.cityStateZip = c.cityStateZipBox->text();
    settings.phone = c.phoneBox->text();
    settings.repairStation = c.repairStationBox->text();
    for (std::size_t i = 0; i < c.offsetBoxes.size(); ++i)
        settings.offsetTexts[i] = c.offsetBoxes[i]->text();
    settings.labelStyle = store::LabelStyle::of(c.laserOption->isChecked() ? store::LabelStock::Laser
                                                                            : store::LabelStock::Tractor);
    if (c.defaultLabelList->currentIndex() >= 0)
        settings.defaultLabel = c.defaultLabelList->currentText();
    return settings;
}

bool SetupPanel::saveSettings()
{
    m_shop.setEdited(settingsOnScreen());
    store::StoreError error = m_shop.save();
    if (error.ok())
        return true;
    if (error.number == store::ChangedMeanwhile || error.number == store::DeletedMeanwhile) {
        // Another workstation saved the settings while the panel was open: show theirs
        // rather than write over them; closing again saves what the panel then holds. The
        // signatories are read again with them; a failure there is only the list's.
        static_cast<void>(m_card.refreshSignatories());
        if (store::StoreError reread = m_shop.load(); !reread.ok())
            error = reread;
        else
            error.message = QStringLiteral("Another workstation saved the shop settings while this "
                                           "panel was open. They are shown now: check them, then "
                                           "close the panel again to save.");
    }
    m_dialogs.showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Tagwright"),
                          error.describe());
    return false;
}

void SetupPanel::setKeyboardOrder()
{
    const SetupPanelControls& c = m_controls;
    QWidget* const order[] = {c.companyNameBox, c.addressBox, c.cityStateZipBox, c.phoneBox,
                              c.repairStationBox, c.defaultLabelList, c.offsetBoxes[0], c.offsetBoxes[1],
                              c.offsetBoxes[2], c.offsetBoxes[3], c.offsetBoxes[4]};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace tagwright::setup

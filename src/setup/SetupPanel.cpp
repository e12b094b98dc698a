#include "SetupPanel.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/TemplateCard.h"
#include "mainwindow/UserDialogs.h"
#include "store/Schema.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tagwright::setup {

namespace schema = store::schema;

SetupPanel::SetupPanel(mainwindow::MainWindow& window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("SetupPanel"));
    setKeyboardOrder();
    connect(window.controls().setupButton, &QPushButton::clicked, this, &SetupPanel::toggle);
}

bool SetupPanel::isOpen() const
{
    return !m_window.controls().setupPanel->isHidden();
}

void SetupPanel::toggle()
{
    if (isOpen())
        close();
    else
        open();
}

void SetupPanel::open()
{
    mainwindow::MainWindowControls& c = m_window.controls();
    c.setupPanel->show();
    c.setupPanel->raise();
    setMainButtonsEnabled(false);
    c.saveButton->setEnabled(false);
    showSetupButtonAs(true);
    // Settings and signatories saved at another workstation since start-up are shown now.
    if (store::StoreError error = m_window.refreshSharedRecords(); !error.ok()) {
        m_window.dialogs().showMessage(&m_window, QMessageBox::Critical,
                                       QStringLiteral("Settings not read"), error.describe());
    }
    store::TableCursor& companyCursor = m_window.company();
    // The phone comes with the shop's record, which every workstation shares; the setup
    // record only keeps a copy of it.
    if (!(companyCursor.bof() && companyCursor.eof()))
        loadCompanySettings();
    c.companyNameBox->setFocus();
}

void SetupPanel::close()
{
    if (!saveSettings())
        return;
    setMainButtonsEnabled(true);
    m_window.controls().saveButton->setEnabled(false);
    showSetupButtonAs(false);
    showDefaultTemplate();
    m_window.controls().setupPanel->hide();
}

// "Save" stays out of this: the panel disables it on opening and closing alike. The page
// zones lie under the panel, out of the mouse's reach, but PageDown and PageUp follow them:
// they must not page the card behind the panel.
void SetupPanel::setMainButtonsEnabled(bool enabled)
{
    const mainwindow::MainWindowControls& c = m_window.controls();
    for (QPushButton* button : {c.newButton, c.fontButton, c.logoButton, c.printButton,
                                c.exitButton, c.deleteButton})
        button->setEnabled(enabled);
    for (QWidget* zone : c.pageZones)
        zone->setEnabled(enabled);
}

void SetupPanel::showSetupButtonAs(bool panelOpen)
{
    QPushButton* button = m_window.controls().setupButton;
    mainwindow::setEnabledCaptionColour(
        button, panelOpen ? button->palette().color(QPalette::WindowText)
                          : mainwindow::setupCaptionBlue());
    button->setText(panelOpen ? QStringLiteral("Save") : QStringLiteral("Setup"));
}

void SetupPanel::loadCompanySettings()
{
    store::ShopRecord shop;
    store::readShopRecord(m_window.company(), shop);
    m_window.showShopRecord(shop);
    mainwindow::MainWindowControls& c = m_window.controls();
    const bool laser = shop.labelStyle.setupPanelStock() == store::LabelStock::Laser;
    c.laserOption->setChecked(laser);
    c.tractorOption->setChecked(!laser);
}

// The setup record is read afresh each time: nothing else keeps the setup table open.
store::StoreError SetupPanel::reopenSetupCursor()
{
    return m_setup.isOpen() ? m_setup.refresh()
                            : m_setup.open(m_window.setupDatabase(), schema::SetupTable);
}

store::ShopRecord SetupPanel::settingsOnScreen() const
{
    const mainwindow::MainWindowControls& c = m_window.controls();
    store::ShopRecord settings;
    settings.companyName = c.companyNameBox->text();
    settings.address = c.addressBox->text();
    settings.cityStateZip = c.cityStateZipBox->text();
    settings.phone = c.phoneBox->text();
    settings.offsetTexts = {c.topRowOffset->text(), c.middleRowOffset->text(),
                            c.bottomRowOffset->text(), c.leftColumnOffset->text(),
                            c.rightColumnOffset->text()};
    settings.labelStyle = store::LabelStyle::of(c.laserOption->isChecked() ? store::LabelStock::Laser
                                                                            : store::LabelStock::Tractor);
    if (c.defaultLabelList->currentIndex() >= 0)
        settings.defaultLabel = c.defaultLabelList->currentText();
    return settings;
}

bool SetupPanel::saveSettings()
{
    const store::ShopRecord settings = settingsOnScreen();
    store::StoreError error = store::writeShopRecord(m_window.company(), settings);
    if (error.ok()) {
        error = reopenSetupCursor();
        if (error.ok())
            error = store::writeSetupPhone(m_setup, settings.phone);
    }
    if (error.ok())
        return true;
    if (error.number == store::ChangedMeanwhile || error.number == store::DeletedMeanwhile) {
        // Another workstation saved the settings while the panel was open: show theirs
        // rather than write over them; closing again saves what the panel then holds.
        m_window.refreshSharedRecords();
        loadCompanySettings();
        error.message = QStringLiteral("Another workstation saved the shop settings while this "
                                       "panel was open. They are shown now: check them, then "
                                       "close the panel again to save.");
    }
    m_window.dialogs().showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Tagwright"),
                                   error.describe());
    return false;
}

// The template named by the default-label list, else the first one. With no templates at
// all the card begins a blank new record, which has no fields to load.
void SetupPanel::showDefaultTemplate()
{
    const QComboBox* list = m_window.controls().defaultLabelList;
    const QString title = list->currentIndex() >= 0 ? list->currentText() : QString();
    mainwindow::TemplateCard& card = m_window.card();
    if (!card.goToTemplate(title))
        return;
    card.LoadTemplateFields();
    card.ShowTitleTab(0);
    card.LeaveEditMode();
}

void SetupPanel::setKeyboardOrder()
{
    const mainwindow::MainWindowControls& c = m_window.controls();
    QWidget* const order[] = {c.companyNameBox, c.addressBox, c.cityStateZipBox, c.phoneBox,
                              c.defaultLabelList, c.topRowOffset, c.middleRowOffset,
                              c.bottomRowOffset, c.leftColumnOffset, c.rightColumnOffset};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace tagwright::setup

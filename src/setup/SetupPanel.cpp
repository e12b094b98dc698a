#include "SetupPanel.h"

#include "SetupHost.h"

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/UserDialogs.h"
#include "store/Schema.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tagwright::setup {

namespace schema = store::schema;

SetupPanel::SetupPanel(const SetupHost& host)
    : QObject(&host.window), m_window(host.window), m_controls(host.controls),
      m_dialogs(host.dialogs), m_setupDatabase(host.setupDatabase), m_shop(host.shop),
      m_card(host.card), m_notices(host.notices)
{
    setObjectName(QStringLiteral("SetupPanel"));
    setKeyboardOrder();
    connect(m_controls.setupButton, &QPushButton::clicked, this, &SetupPanel::toggle);
}

bool SetupPanel::isOpen() const
{
    return !m_controls.setupPanel->isHidden();
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
    mainwindow::MainWindowControls& c = m_controls;
    c.setupPanel->show();
    c.setupPanel->raise();
    m_notices.setupPanelOpened();
    showSetupButtonAs(true);
    // Settings and signatories saved at another workstation since start-up are shown now.
    if (store::StoreError error = m_shop.refreshSharedRecords(); !error.ok()) {
        m_dialogs.showMessage(&m_window, QMessageBox::Critical,
                              QStringLiteral("Settings not read"), error.describe());
    }
    // Before the stored default label is looked up in it.
    m_shop.refillDefaultLabelList();
    store::TableCursor& companyCursor = m_shop.companyRecord();
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
    m_notices.setupPanelClosed();
    showSetupButtonAs(false);
    showDefaultTemplate();
    m_controls.setupPanel->hide();
}

void SetupPanel::showSetupButtonAs(bool panelOpen)
{
    QPushButton* button = m_controls.setupButton;
    mainwindow::setEnabledCaptionColour(
        button, panelOpen ? button->palette().color(QPalette::WindowText)
                          : mainwindow::setupCaptionBlue());
    button->setText(panelOpen ? QStringLiteral("Save") : QStringLiteral("Setup"));
}

void SetupPanel::loadCompanySettings()
{
    store::ShopRecord shop;
    store::readShopRecord(m_shop.companyRecord(), shop);
    m_shop.showShopRecord(shop);
    mainwindow::MainWindowControls& c = m_controls;
    const bool laser = shop.labelStyle.setupPanelStock() == store::LabelStock::Laser;
    c.laserOption->setChecked(laser);
    c.tractorOption->setChecked(!laser);
}

// The setup record is read afresh each time: nothing else keeps the setup table open.
store::StoreError SetupPanel::reopenSetupCursor()
{
    return m_setup.isOpen() ? m_setup.refresh()
                            : m_setup.open(m_setupDatabase, schema::SetupTable);
}

store::ShopRecord SetupPanel::settingsOnScreen() const
{
    const mainwindow::MainWindowControls& c = m_controls;
    store::ShopRecord settings;
    settings.companyName = c.companyNameBox->text();
    settings.address = c.addressBox->text();
    settings.cityStateZip = c.cityStateZipBox->text();
    settings.phone = c.phoneBox->text();
    settings.repairStation = c.repairStationBox->text().trimmed();
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
    store::StoreError error = store::writeShopRecord(m_shop.companyRecord(), settings);
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
        m_shop.refreshSharedRecords();
        loadCompanySettings();
        error.message = QStringLiteral("Another workstation saved the shop settings while this "
                                       "panel was open. They are shown now: check them, then "
                                       "close the panel again to save.");
    }
    m_dialogs.showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Tagwright"),
                          error.describe());
    return false;
}

// The template named by the default-label list, else the first one.
void SetupPanel::showDefaultTemplate()
{
    const QComboBox* list = m_controls.defaultLabelList;
    m_card.showTemplate(list->currentIndex() >= 0 ? list->currentText() : QString());
}

void SetupPanel::setKeyboardOrder()
{
    const mainwindow::MainWindowControls& c = m_controls;
    QWidget* const order[] = {c.companyNameBox, c.addressBox, c.cityStateZipBox, c.phoneBox,
                              c.repairStationBox, c.defaultLabelList, c.topRowOffset, c.middleRowOffset,
                              c.bottomRowOffset, c.leftColumnOffset, c.rightColumnOffset};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace tagwright::setup

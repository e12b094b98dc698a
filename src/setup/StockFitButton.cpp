#include "StockFitButton.h"

#include "SetupPanelLayout.h"

#include "ui/Twips.h"
#include "ui/WindowPrintPlace.h"
#include "stock/SixUpSheet.h"
#include "stock/StockFit.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tagwright::setup {

StockFitButton::StockFitButton(QWidget& window, const SetupPanelControls& controls)
    : QObject(&window), m_window(window), m_controls(controls)
{
    setObjectName(QStringLiteral("StockFitButton"));
    QFrame* panel = controls.panel;
    // The laser choice names the stock by the numbers shops buy it under.
    const QString numbers = stock::SixUpSheet::productNumbers().join(QStringLiteral(", "));
    QRadioButton* laser = controls.laserOption;
    laser->setText(laser->text() + QStringLiteral(": ") + numbers);
    laser->resize(ui::twipsToPixels(5190), laser->height());
    laser->setToolTip(QStringLiteral("US Letter sheets of six 4 x 3-1/3 in labels: %1 and their "
                                     "equivalents").arg(numbers));

    m_button = new QPushButton(QStringLiteral("Fit to stock"), panel);
    m_button->setObjectName(QStringLiteral("FitToStockButton"));
    m_button->setGeometry(ui::twipsRect(1500, 3720, 1215, 420));
    m_button->setToolTip(QStringLiteral("Fill in the adjustments that centre each label in its "
                                        "die-cut on the printer Print uses"));
    m_note = new QLabel(panel);
    m_note->setObjectName(QStringLiteral("FitToStockNote"));
    m_note->setGeometry(ui::twipsRect(1500, 4200, 1260, 1020));
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = m_note->font();
    small.setPointSizeF(7);
    m_note->setFont(small);
    connect(m_button, &QPushButton::clicked, this, &StockFitButton::fit);
    // Tractor feed reads two of the boxes too, for a stock of its own: the fit is the
    // sheet's alone.
    m_button->setEnabled(laser->isChecked());
    connect(laser, &QRadioButton::toggled, m_button, &QPushButton::setEnabled);
    // What was fitted for is news only until the panel closes.
    panel->installEventFilter(this);
}

void StockFitButton::fit()
{
    const ui::PrintPlace place = ui::windowPrintPlace(m_window);
    const std::array<QString, 5> texts = stock::offsetTexts(stock::fitToStock(place.printable).offsets);
    for (std::size_t i = 0; i < 5; ++i)
        m_controls.offsetBoxes[i]->setText(texts[i]);
    m_note->setText(QStringLiteral("Fitted for %1.").arg(place.name));
}

bool StockFitButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.panel && event->type() == QEvent::Hide)
        m_note->clear();
    return QObject::eventFilter(watched, event);
}

}  // namespace tagwright::setup

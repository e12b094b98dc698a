#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

namespace tagwright::mainwindow {

struct MainWindowControls;
class TemplateBinding;

// The change reactions of the six header lines, the two label options and the body box,
// and Enter moving through the header values. The reactions hang on Qt's change signals
// (textChanged, toggled), so they run alike for typing, clicks and code setting a field:
// the template display relies on that. A check box set to the value it already shows
// changes nothing and runs nothing. A value box still holding the underscore run a print
// left in it takes the first key typed (or a paste) in its place.
class HeaderLines : public QObject {
    Q_OBJECT
public:
    HeaderLines(MainWindowControls& controls, TemplateBinding& binding,
                std::function<void()> enterEditMode, std::function<void()> offerSave,
                QObject* parent = nullptr);

    // A caption is blank, and its line unused, when it compares less than or equal to six
    // spaces by character codes: empty, spaces only, or anything below a space first.
    static bool isBlankCaption(const QString& caption);

    // Shows the value box of line `line` (0..5, header order) unless its caption is blank.
    void showValueBoxByCaption(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCaption(int line);
    void connectOptions();
    void connectEnterOrder();
    void focusAfterValueBox(int line);

    MainWindowControls& m_controls;
    std::function<void()> m_enterEditMode;
    std::function<void()> m_offerSave;
};

}  // namespace tagwright::mainwindow

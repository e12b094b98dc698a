#pragma once

#include "ui/UserDialogs.h"

#include <QDialog>
#include <QPrintPreviewWidget>
#include <QImage>
#include <QPrinter>
#include <QStringList>

#include <deque>
#include <functional>

namespace tagwright::test {

// Answers every dialog at once and remembers what was shown.
class FakeDialogs : public ui::UserDialogs {
public:
    struct Message {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    void showMessage(QWidget*, QMessageBox::Icon icon, const QString& title,
                     const QString& text) override
    {
        messages.push_back({icon, title, text});
    }

    int askChoice(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                  const QStringList& choices) override
    {
        questions.push_back({icon, title, text});
        questionChoices.push_back(choices);
        if (whileAsking)
            whileAsking();
        if (choiceAnswers.empty())
            return -1;
        const QString answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return int(choices.indexOf(answer));
    }

    std::optional<QString> askText(QWidget*, const QString& title, const QString&,
                                   const QString& initial) override
    {
        textAsked.push_back({title, initial});
        return textAnswer;
    }

    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override
    {
        fontDialogInitial = initial;
        ++fontDialogShown;
        return fontAnswer;
    }

    bool choosePrinter(QWidget*, QPrinter&) override
    {
        ++printerDialogShown;
        return printerAnswer;
    }

    QString saveFileName(QWidget*, const QString&, const QString& suggested, const QString&) override
    {
        lastSuggestedFileName = suggested;
        return fileNameAnswer;
    }

    bool runDialog(QDialog& dialog) override
    {
        ++dialogsRun;
        return dialogAnswer && dialogAnswer(dialog);
    }
    // Paints the preview as the dialog would, off screen, and answers as the test says.
    bool previewAsksToPrint(QWidget*, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override
    {
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, paint);
        preview.updatePreview();
        previewPages = preview.pageCount();
        previewShown = preview.grab().toImage();
        return printFromPreview;
    }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<QStringList> questionChoices;
    std::deque<QString> choiceAnswers;   // button texts, in turn; none left = the user cancels
    std::function<void()> whileAsking;   // what happens elsewhere while a question is up
    std::vector<std::pair<QString, QString>> textAsked;   // title and the text offered
    std::optional<QString> textAnswer;   // nothing = the user cancels
    std::optional<QFont> fontAnswer;     // nothing = the user cancels
    QFont fontDialogInitial;
    int fontDialogShown = 0;
    bool printerAnswer = false;
    int printerDialogShown = 0;
    QString fileNameAnswer;
    QString lastSuggestedFileName;
    // Fills in a dialog of the program's own as the user would and says whether it was
    // accepted; none = the user cancels.
    std::function<bool(QDialog&)> dialogAnswer;
    int dialogsRun = 0;
    int previewPages = -1;           // pages the last preview showed; -1: none shown
    QImage previewShown;             // how the last preview looked
    bool printFromPreview = false;   // the user presses Print in the preview
};

}  // namespace tagwright::test

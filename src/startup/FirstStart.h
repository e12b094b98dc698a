#pragma once

#include "store/DataFolders.h"

#include <QString>

namespace tagwright::startup {

// The first start of an installed program that finds no setup database anywhere: it cannot
// tell a new shop from a workstation of an existing one, so it asks once. The answer goes
// into the per-user setup database, and later starts (the menu entry included) open that shop.
enum class FirstStartAnswer {
    NewShop,       // a new shop, with the example templates
    ShopFolder,    // the folder that holds the shop's QUILLON.MDB (Tagwright or Access file)
    ShopServer,    // the database server the shop was moved onto (as tagwright-cli join)
    Quit,
};

// The dialogs of the question, behind a seam so tests answer them without a modal loop.
class FirstStartDialogs {
public:
    virtual ~FirstStartDialogs() = default;
    virtual FirstStartAnswer ask() = 0;
    // The folder chosen, or an empty text when the user gives up.
    virtual QString chooseShopFolder(const QString& startFolder) = 0;
    // The server's address (postgresql://host/dbname), or an empty text when the user gives up.
    virtual QString askServerAddress(const QString& previous) = 0;
    virtual void showProblem(const QString& text) = 0;
};

class QtFirstStartDialogs : public FirstStartDialogs {
public:
    FirstStartAnswer ask() override;
    QString chooseShopFolder(const QString& startFolder) override;
    QString askServerAddress(const QString& previous) override;
    void showProblem(const QString& text) override;
};

// Whether the question is due: an installed program whose per-user folder holds no setup
// database (one in the working folder is used as it is).
bool firstStartQuestionDue(const store::DataLocation& location);

// Asks, and writes the answer into the setup database `location` names: a DataPath naming the
// per-user data folder (a new shop, made by the usual start-up), the shop's folder, or the
// server. A folder holding Access files is converted by the conversion step that follows.
// Returns false when the user quits: then nothing was written.
bool askWhereTheShopIs(const store::DataLocation& location, FirstStartDialogs& dialogs);

}  // namespace tagwright::startup

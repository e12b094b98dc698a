#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tagwright::test {

// A fresh folder for one test's database files, removed afterwards.
class TempFolder {
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

}  // namespace tagwright::test

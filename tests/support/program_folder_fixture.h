#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testing_support {

// Gives a test its own empty program folder and settings hives, both in a temporary folder
// that goes with the object; restores the previous environment afterwards.
class TemporaryProgramFolder {
  public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();

    QString Path() const { return folder_.path(); }
    QString FilePath(const QString& name) const { return folder_.filePath(name); }
    // Makes a fresh db.db with the shipped tables in the folder, or a fresh database file of
    // another `name`.
    void AddFreshDatabase(const QString& name = QStringLiteral("db.db")) const;
    // Places a helper page loginweb/111.htm in the folder; what a browser shows for it is the
    // test's fake browser's affair.
    void AddHelperPage() const;

  private:
    QTemporaryDir folder_;
    QByteArray previousHome_;
    QByteArray previousConfig_;
};

}  // namespace testing_support

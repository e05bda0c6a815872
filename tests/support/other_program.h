#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Another program on the database file: a process of its own, so that its locks and its
// closing of the file act on the program as they do in the field (inside one process the
// library shares its locks and hides what another program does).
namespace testing_support {

// Runs `sql` in another program that opens the file, reads or writes and closes it again, as a
// user's database tool does: the first field of every row, one a line, or a text that starts
// with "error: " when it failed.
QString OtherProgramQuery(const QString& path, const QString& sql);

// Writes the bytes of `source` over the file at `path` in place, from another program, as a
// copy over an existing file does: the file stays the same file. Whether it went through.
bool OtherProgramOverwrite(const QString& path, const QString& source);

// Another program that has run `statements` on the file ("begin exclusive", say) and keeps its
// connection, and every lock they took, until the object goes.
class OtherProgramSession {
  public:
    OtherProgramSession(const QString& path, const QStringList& statements);
    ~OtherProgramSession();
    OtherProgramSession(const OtherProgramSession&) = delete;
    OtherProgramSession& operator=(const OtherProgramSession&) = delete;

    // Whether every statement went through; else what the program said.
    bool Ready() const { return ready_; }
    QString Said() const { return said_; }
    // Lets go of the file: the connection closes as the program ends.
    void End();
    // Ends the program without warning, as a kill or a crash does: its log stays behind.
    void Kill();

  private:
    QProcess process_;
    bool ready_ = false;
    QString said_;
};

}  // namespace testing_support

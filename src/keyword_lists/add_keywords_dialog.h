#pragma once

#include <QDialog>
#include <QPlainTextEdit>

#include "platform/controls.h"

namespace platform {
class RowTable;
}

// The target of the add-keywords dialog, chosen by the text its opener writes into the mode
// box: "1" the batch keyword list and table kwlist, "2" the manual pane's lists without a
// table, anything else the keyword database list and table keywords.
enum class AddKeywordsMode { Batch, Manual, Database };
AddKeywordsMode AddKeywordsModeOf(const QString& modeText);

// The lists the dialog fills for the window that opens it: the mining window gives its batch
// list (mode "1") and its manual pane's list with that list's master copy (mode "2"); the
// keyword database window its list and master copy.
class AddKeywordsLists {
  public:
    virtual ~AddKeywordsLists() = default;
    // The list a new keyword is tested against and appended to; nullptr for a mode the
    // window has no list for.
    virtual platform::RowTable* ShownList(AddKeywordsMode mode) = 0;
    // The master copy that gets each new row too, under the same key; nullptr when none.
    virtual platform::RowTable* MasterList(AddKeywordsMode mode) = 0;
};

// 批量添加关键词: keywords typed or pasted one per line, added to the opener's list when they
// are new. Loaded on first use; an add only hides it, so it keeps its text for the next
// opening; closing it unloads it.
class frm_AddKeywords : public QDialog {
  public:
    explicit frm_AddKeywords(QWidget* parent = nullptr);

    void Form_Load();
    // Adds each new keyword of Text1 (lines end in CR LF, LF or CR; each is trimmed of blanks
    // and lower-cased) to the mode's table and lists, then hides the dialog. A keyword already
    // listed, or already stored in the mode's table, is skipped. A keyword whose row could not
    // be written is not listed either, and the user is told which. Under another program's lock
    // that outlasts the wait, the add waits once and writes none.
    void Command5_Click();

    // Whether the user closed the dialog (rather than an add hiding it).
    bool Closed() const { return closed_; }

    QPlainTextEdit* Text1;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::CommandButton* Command5;
    platform::TextBox* Text2;  // the mode, never shown
    // The lists of the window that opened the dialog last.
    AddKeywordsLists* Lists = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool closed_ = false;
};

// Opens the dialog modally for `lists` in the mode `modeText`, loading it first when it is not
// loaded; returns when it is hidden or closed.
void ShowAddKeywords(AddKeywordsLists& lists, const QString& modeText);
// The loaded dialog, or nullptr.
frm_AddKeywords* LoadedAddKeywords();

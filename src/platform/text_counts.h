#pragma once

#include <QString>
#include <vector>

namespace platform {

// How many times each text is counted: the duplicate test of a list's rows, kept small for
// lists of a million rows. The counted texts stand one after another in one block, found
// through a block of slot numbers probed from each text's hash: counting a text costs no
// allocation of its own beyond the blocks' growth.
class TextCounts {
  public:
    void Clear();
    // Room for `texts` texts without growing.
    void Reserve(qsizetype texts);
    bool Contains(const QString& text) const;
    // Adds `delta` to the count of `text`; a text whose count falls to 0 is forgotten.
    void Add(const QString& text, int delta);
    // Counts `text` once unless it is counted already; whether it was new.
    bool AddNew(const QString& text);

  private:
    struct Entry {
        QString text;
        quint32 hash = 0;
        int count = 0;
    };
    // A slot holds the number of its entry plus 1, or one of these.
    static constexpr quint32 kFree = 0;
    static constexpr quint32 kGone = 0xffffffff;  // a probe goes on past it
    struct Found {
        size_t slot;
        bool found;
    };

    // The slot of `text`, or the slot where it would go.
    Found Find(const QString& text, quint32 hash) const;
    // The slot of entry `entry`.
    size_t SlotOf(size_t entry) const;
    // Makes room for one more text.
    void MakeRoom();
    void Rehash(size_t count);

    std::vector<quint32> slots_;  // a power of two of them, or none
    std::vector<Entry> entries_;
    size_t used_ = 0;  // slots not free
};

}  // namespace platform

#include "platform/text_counts.h"

#include <QHashFunctions>
#include <algorithm>
#include <bit>
#include <optional>

namespace platform {
namespace {

// At most three slots in four are used: probes stay short.
size_t SlotsFor(size_t texts) {
    return std::bit_ceil(std::max<size_t>(16, texts + texts / 3 + 1));
}

quint32 HashOf(const QString& text) {
    return quint32(qHash(text, QHashSeed::globalSeed()));
}

}  // namespace

void TextCounts::Clear() {
    slots_.clear();
    entries_.clear();
    used_ = 0;
}

void TextCounts::Reserve(qsizetype texts) {
    if (texts <= 0) return;
    entries_.reserve(size_t(texts));
    if (SlotsFor(size_t(texts)) > slots_.size()) Rehash(SlotsFor(size_t(texts)));
}

TextCounts::Found TextCounts::Find(const QString& text, quint32 hash) const {
    const size_t mask = slots_.size() - 1;
    std::optional<size_t> gone;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const quint32 slot = slots_[at];
        if (slot == kFree) return {gone.value_or(at), false};
        if (slot == kGone) {
            if (!gone) gone = at;
            continue;
        }
        const Entry& entry = entries_[slot - 1];
        if (entry.hash == hash && entry.text == text) return {at, true};
    }
}

size_t TextCounts::SlotOf(size_t entry) const {
    const size_t mask = slots_.size() - 1;
    size_t at = entries_[entry].hash & mask;
    while (slots_[at] != entry + 1) at = (at + 1) & mask;
    return at;
}

bool TextCounts::Contains(const QString& text) const {
    return !slots_.empty() && Find(text, HashOf(text)).found;
}

void TextCounts::MakeRoom() {
    if (4 * (used_ + 1) <= 3 * slots_.size()) return;
    // Gone slots are dropped by the rehash; it grows the block only when texts fill it.
    Rehash(SlotsFor(2 * (entries_.size() + 1)));
}

void TextCounts::Rehash(size_t count) {
    slots_.assign(count, kFree);
    used_ = entries_.size();
    const size_t mask = count - 1;
    for (size_t entry = 0; entry < entries_.size(); ++entry) {
        size_t at = entries_[entry].hash & mask;
        while (slots_[at] != kFree) at = (at + 1) & mask;
        slots_[at] = quint32(entry + 1);
    }
}

bool TextCounts::AddNew(const QString& text) {
    MakeRoom();
    const quint32 hash = HashOf(text);
    const Found place = Find(text, hash);
    if (place.found) return false;
    if (slots_[place.slot] == kFree) ++used_;
    entries_.push_back({text, hash, 1});
    slots_[place.slot] = quint32(entries_.size());
    return true;
}

void TextCounts::Add(const QString& text, int delta) {
    if (delta > 0 && AddNew(text)) delta -= 1;
    if (delta == 0 || slots_.empty()) return;
    const Found place = Find(text, HashOf(text));
    if (!place.found) return;
    const size_t entry = slots_[place.slot] - 1;
    entries_[entry].count += delta;
    if (entries_[entry].count > 0) return;
    // The last entry takes the place of the forgotten one.
    slots_[place.slot] = kGone;
    const size_t last = entries_.size() - 1;
    if (entry != last) {
        slots_[SlotOf(last)] = quint32(entry + 1);
        entries_[entry] = std::move(entries_[last]);
    }
    entries_.pop_back();
}

}  // namespace platform

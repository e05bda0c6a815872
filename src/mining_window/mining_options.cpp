// The mining window's remembered options and texts: restored by the load, saved at once on
// every change after it.
#include <QHideEvent>

#include "mining_window/mining_settings.h"
#include "mining_window/mining_window.h"
#include "mining_window/notice.h"
#include "platform/program_folder.h"
#include "shared/failure_notice.h"
#include "shared/shared_connection.h"
#include "shared/text_helpers.h"
#include "shell/database_bootstrap.h"

namespace {

using mining_settings::BoxState;

// Sets each box from its field, from `firstField` on; a field that is missing or no box state
// leaves its box as it stands.
void RestoreBoxes(const QStringList& fields, int firstField,
                  const QList<platform::CheckBox*>& boxes) {
    for (int i = 0; i < boxes.size(); ++i)
        if (const std::optional<int> state = BoxState(fields.value(firstField + i)))
            boxes[i]->SetValue(*state);
}

QStringList BoxFields(const QList<platform::CheckBox*>& boxes) {
    QStringList fields;
    for (const platform::CheckBox* box : boxes) fields << QString::number(box->Value());
    return fields;
}

}  // namespace

QList<platform::CheckBox*> 关键词挖掘::RegularOptionBoxes() const {
    return {Check6, Check2, Check7, Check8, Check11};
}

QList<platform::CheckBox*> 关键词挖掘::BatchOptionBoxes() const {
    return {is_shutdown, Check1, Check9, Check5, Check4, Check3};
}

QList<platform::CheckBox*> 关键词挖掘::ManualOptionBoxes() const {
    return {Check16, Check12, Check15, Check14, Check13};
}

QList<platform::TextBox*> 关键词挖掘::RememberedTextBoxes() const {
    return {Text2, Text14, Text4, Text3, Text8, Text10, Text15};
}

void 关键词挖掘::ConnectOptionSaves() {
    for (platform::CheckBox* box : RegularOptionBoxes())
        connect(box, &platform::CheckBox::Click, this, [this] { SaveRegularOptions(); });
    for (platform::CheckBox* box : BatchOptionBoxes())
        connect(box, &platform::CheckBox::Click, this, [this] { SaveBatchOptions(); });
    connect(kwmax, &platform::TextBox::Change, this, [this] { SaveBatchOptions(); });
    connect(Combo1, &platform::ComboBox::Click, this, [this] { SaveBatchOptions(); });
    for (platform::CheckBox* box : ManualOptionBoxes())
        connect(box, &platform::CheckBox::Click, this, [this] { SaveManualOptions(); });
    for (platform::TextBox* box : RememberedTextBoxes())
        connect(box, &platform::TextBox::Change, this, [this] { SaveMiningTexts(); });
}

void 关键词挖掘::RestorePaneOptions() {
    using namespace mining_settings;
    RestoreBoxes(SettingFields(kRegularSetting, ReadPaneSetting(kRegularSetting)), 0,
                 RegularOptionBoxes());

    const QStringList batch = SettingFields(kBatchSetting, ReadPaneSetting(kBatchSetting));
    kwmax->SetText(batch.value(0));
    if (const std::optional<int> index = ListIndex(batch.value(1))) {
        // -1 selects nothing; an index past the list leaves the selection as it stands.
        if (*index < Combo1->count()) Combo1->setCurrentIndex(*index);
    }
    RestoreBoxes(batch, 2, BatchOptionBoxes());

    RestoreBoxes(SettingFields(kManualSetting, ReadPaneSetting(kManualSetting)), 0,
                 ManualOptionBoxes());
}

void 关键词挖掘::RestoreMiningTexts() {
    const QList<platform::TextBox*> boxes = RememberedTextBoxes();
    if (const std::optional<mining_settings::RememberedTexts> texts =
            mining_settings::ReadRememberedTexts(SharedConnection())) {
        for (int i = 0; i < boxes.size(); ++i) boxes[i]->SetText((*texts)[static_cast<size_t>(i)]);
    }
    if (TrimBlanks(Text3->Text()).isEmpty()) Text3->SetText(platform::ProgramFolder());
}

void 关键词挖掘::SaveRegularOptions() {
    if (!MiningLoaded) return;
    mining_settings::WritePaneSetting(mining_settings::kRegularSetting,
                                      BoxFields(RegularOptionBoxes()));
}

void 关键词挖掘::SaveBatchOptions() {
    if (!MiningLoaded) return;
    mining_settings::WritePaneSetting(
        mining_settings::kBatchSetting,
        QStringList{kwmax->Text(), QString::number(Combo1->ListIndex())} +
            BoxFields(BatchOptionBoxes()));
}

void 关键词挖掘::SaveManualOptions() {
    if (!MiningLoaded) return;
    mining_settings::WritePaneSetting(mining_settings::kManualSetting,
                                      BoxFields(ManualOptionBoxes()));
}

void 关键词挖掘::SaveMiningTexts() {
    // Without db.db the load has warned already; the texts then live as long as the window.
    if (!MiningLoaded || DatabaseStillMissing(fields_.MiningDbMissing)) return;
    mining_settings::RememberedTexts texts;
    const QList<platform::TextBox*> boxes = RememberedTextBoxes();
    for (int i = 0; i < boxes.size(); ++i) texts[static_cast<size_t>(i)] = boxes[i]->Text();
    {
        // Typing never waits for another program's lock: what the lock refuses is saved with the
        // next change, or when the window goes.
        const platform::NoLockWait noWait(SharedConnection());
        textsUnsaved_ = !mining_settings::SaveRememberedTexts(SharedConnection(), texts);
    }
    if (textsUnsaved_ && !SharedConnection().LastFailureWasLock()) TellTextSaveFailure();
}

void 关键词挖掘::TellTextSaveFailure() {
    // The save runs on every keystroke: the user hears of a failure once per opening.
    if (textSaveFailureTold_) return;
    textSaveFailureTold_ = true;
    TellFailure(QStringLiteral("挖掘设置未能保存到数据库，本次修改的关键词和路径将不会被记住：") +
                SharedConnection().LastError());
}

void 关键词挖掘::hideEvent(QHideEvent* event) {
    WorkWindow::hideEvent(event);
    // The last chance for texts a lock kept from the database.
    if (event->spontaneous() || !textsUnsaved_) return;
    SaveMiningTexts();
    if (textsUnsaved_) TellTextSaveFailure();
}

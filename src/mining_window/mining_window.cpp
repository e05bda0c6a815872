#include "mining_window/mining_window.h"

#include <QEvent>
#include <algorithm>

#include "metrics/keyword_table.h"
#include "metrics/requery.h"
#include "mining_window/pane_frames.h"
#include "mining_window/result_columns.h"
#include "mining_window/twips_layout.h"
#include "shared/batch_helpers.h"
#include "shared/running_job.h"
#include "shell/blocking_settings_dialog.h"
#include "shell/database_bootstrap.h"

关键词挖掘::关键词挖掘(MiningWindowFields& fields, QWidget* parent)
    : WorkWindow(parent), fields_(fields) {
    setWindowTitle(QStringLiteral("关键词挖掘"));
    BuildSideBar();
    twips_layout::Put(NAMED(tab1), new platform::TabContainer(this), 2880, 0, 12000, 9000);
    const QStringList pages = {QStringLiteral("常规挖掘"), QStringLiteral("批量挖掘"),
                               QStringLiteral("手工挖掘"), QStringLiteral("智能挖掘")};
    const twips_layout::Named<QWidget> panes[] = {NAMED(pic1), NAMED(pic2), NAMED(pic3),
                                                  NAMED(pic4)};
    // Each pane covers its page, tabs included: the user changes pages by the mode tree.
    for (int page = 0; page < pages.size(); ++page)
        twips_layout::Name(panes[page], new QWidget(tab1->AddPage(pages[page])));
    PlaceDesign(SideBarPanes());
    twips_layout::Name(NAMED(txtbaiduse), HiddenBox(QStringLiteral("3")));
    twips_layout::Name(NAMED(txtsetse), HiddenBox(QStringLiteral("1")));
    twips_layout::Name(NAMED(txtkw), HiddenBox(QStringLiteral("1")));
    BuildRegularPane();
    BuildBatchPane();
    BuildManualPane();
    BuildSmartPane();

    // Out of sight of the user.
    for (twips_layout::Named<platform::BrowserView> browser :
         {NAMED(WebBrowser1), NAMED(WebBrowser3)})
        twips_layout::Name(browser, platform::CreateBrowserView(this))->hide();

    connect(tab1, &platform::TabContainer::Click, this, [this] { tab1_Click(); });
    connect(tab2, &platform::TabContainer::Click, this, [this] { tab2_Click(); });
    connect(TreeView1, &platform::TreeView::NodeClick, this,
            [this](int index) { TreeView1_NodeClick(index); });
    for (QWidget* watched : {pic1, pic2, pic3, static_cast<QWidget*>(TreeView1)})
        watched->installEventFilter(this);
    ConnectOptionSaves();
    regularMode_ = std::make_unique<RegularMiningMode>(*this, fields_.RegularRun);
    batchMode_ = std::make_unique<BatchMiningMode>(*this, fields_.BatchRun);
    InstallBatchBinding(this);
}

关键词挖掘::~关键词挖掘() {
    if (TheBatchBinding() == this) InstallBatchBinding(nullptr);
    // The runs' rows go with the window: a later opening never resumes into empty lists.
    fields_.RegularRun = {};
    fields_.BatchRun = {};
}

bool 关键词挖掘::JobPaused() const {
    return !fields_.RegularRun.LastMinedKeyword.isEmpty() || fields_.BatchRun.BatchActive;
}

bool 关键词挖掘::HoldsUnsavedWork() const {
    // A master copy also holds the rows its filter hides from the shown list.
    const platform::RowTable* const results[] = {
        &ListView1->Rows(), &ListView17, &ListView3->Rows(), &ListView2->Rows(), &ListView5};
    return JobPaused() || std::ranges::any_of(results, [](const platform::RowTable* list) {
               return list->Count() > 0;
           });
}

void 关键词挖掘::Form_Load() {
    MiningLoaded = false;
    OpenDatabaseOrWarn(SharedConnection(), this, &fields_.MiningDbMissing);
    tab1->SetTab(0);
    tab1_Click();
    LoadModeTree();
    LoadTips();
    FillFilterLists();
    RestorePaneOptions();
    RestoreMiningTexts();
    MiningLoaded = true;
}

void 关键词挖掘::FillFilterLists() {
    Frame9->FillOperators();
    Frame5->FillOperators();
}

void 关键词挖掘::Form_Resize() {
    using namespace twips_layout;
    SetHeight(PicLEFT, ScaleHeight() + 200);
    const int sideBarWidth = platform::PixelsToTwips(PicLEFT->width());
    for (QWidget* pane : SideBarPanes()) {
        SetWidth(pane, ScaleWidth() - sideBarWidth + 100);
        SetHeight(pane, ScaleHeight() + 200);
        SetLeft(pane, 0);
    }
    SetWidth(tab1, ScaleWidth() + 200);
    SetHeight(tab1, ScaleHeight() + 200);
}

void 关键词挖掘::resizeEvent(QResizeEvent* event) {
    WorkWindow::resizeEvent(event);
    Form_Resize();
}

bool 关键词挖掘::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == pic1) pic1_Resize();
        if (watched == pic2) pic2_Resize();
        if (watched == pic3) pic3_Resize();
    }
    if (watched == TreeView1 && event->type() == QEvent::FocusIn) TreeView1_SelectedNodeBlack();
    if (watched == TreeView1 && event->type() == QEvent::FocusOut) TreeView1_SelectedNodeWhite();
    return WorkWindow::eventFilter(watched, event);
}

void 关键词挖掘::ShowBlockingSettings() {
    ::ShowBlockingSettings(this);
}

QString 关键词挖掘::ReportParent(metrics::ReportSource source, const QString& keyword) const {
    return metrics::MiningReportParent(Text2->Text(), tab1->Tab(), tab2->Tab(), source, keyword);
}

void 关键词挖掘::ShowHistory(const QStringList& values) {
    metrics::LayHistoryAcross(ListView2->Rows(), values);
}

platform::RowTable* 关键词挖掘::ResultList(metrics::Pane pane) {
    switch (pane) {
        case metrics::Pane::Regular:
            return &ListView1->Rows();
        case metrics::Pane::Batch:
            return &ListView3->Rows();
        case metrics::Pane::Manual:
            return &ListView2->Rows();
    }
    return nullptr;
}

platform::RowTable* 关键词挖掘::SecondList(metrics::Pane pane) {
    switch (pane) {
        case metrics::Pane::Regular:
            return &ListView17;
        case metrics::Pane::Batch:
            return nullptr;
        case metrics::Pane::Manual:
            return &ListView5;
    }
    return nullptr;
}

const metrics::KeywordColumns& 关键词挖掘::ResultColumns(metrics::Pane pane) const {
    return pane == metrics::Pane::Manual ? kManualResultColumns : kMiningResultColumns;
}

int 关键词挖掘::SelectedRow(metrics::Pane pane) const {
    switch (pane) {
        case metrics::Pane::Regular:
            return ListView1->SelectedIndex();
        case metrics::Pane::Batch:
            return ListView3->SelectedIndex();
        case metrics::Pane::Manual:
            return ListView2->SelectedIndex();
    }
    return 0;
}

bool 关键词挖掘::Ticked(metrics::Pane pane, metrics::PaneOption option) const {
    // The volume, count and save boxes of each pane, in that order.
    const platform::CheckBox* const boxes[3][3] = {
        {Check7, Check8, Check11}, {Check5, Check4, Check3}, {Check15, Check14, Check13}};
    return boxes[static_cast<int>(pane)][static_cast<int>(option)]->Value() == 1;
}

QString 关键词挖掘::CurrentBatchKeyword() const {
    return fields_.BatchRun.LastMinedKeyword;
}

void 关键词挖掘::recha() {
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("重查当前项"));
    // The re-query waits inside this call like a run: the window stays loaded until it returns.
    ++runningClicks_;
    requerying_ = true;
    metrics::recha(*this);
    requerying_ = false;
    --runningClicks_;
}

void 关键词挖掘::Addto_db() {
    metrics::Addto_db(*this);
}

bool 关键词挖掘::DbMissing() {
    return DatabaseStillMissing(fields_.MiningDbMissing);
}

#include "program_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include "metrics/fixture_pages.h"
#include "mining/fixture_pages.h"
#include "mining/helper_page.h"
#include "shared/registry_store.h"

namespace program_testing {
namespace {

template <typename Window>
Window* Loaded(WorkWindowKind kind) {
    return dynamic_cast<Window*>(LoadedWorkWindow(kind));
}

}  // namespace

ProgramTest::ProgramTest() {
    folder.AddFreshDatabase();
    // Checked today already, with the marker file in place: the start asks for no page.
    mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
    mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("updatedt"),
                         clock.Now().date().toString(QStringLiteral("yyyy-MM-dd")));
    QFile tag(folder.FilePath(QStringLiteral("baidutag.txt")));
    EXPECT_TRUE(tag.open(QIODevice::WriteOnly));
    tag.write("tag\r\n");
    RegisterProgramWindows(fields);
    web.DelayEveryAnswer(kPageDelay);
    main = std::make_unique<MDIfrm>();
    EXPECT_TRUE(main->MDIForm_Load());
}

ProgramTest::~ProgramTest() {
    for (WorkWindowKind kind :
         {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
        UnloadWorkWindow(kind);
    main.reset();
    InstallComparisonTool(nullptr);
}

关键词挖掘& ProgramTest::OpenMining() {
    main->mnuDig->trigger();
    return *Mining();
}

关键词工具& ProgramTest::OpenTools() {
    main->mnuTool->trigger();
    return *Tools();
}

关键词数据库& ProgramTest::OpenDatabase() {
    main->mnuDatabase->trigger();
    return *Database();
}

关键词挖掘* ProgramTest::Mining() const {
    return Loaded<关键词挖掘>(WorkWindowKind::Mining);
}

关键词工具* ProgramTest::Tools() const {
    return Loaded<关键词工具>(WorkWindowKind::Tools);
}

关键词数据库* ProgramTest::Database() const {
    return Loaded<关键词数据库>(WorkWindowKind::Database);
}

QWidget* ProgramTest::Front() const {
    const QMdiSubWindow* child = main->ActiveChild();
    return child && !child->isHidden() ? child->widget() : nullptr;
}

void ProgramTest::ServeMiningSources() {
    const std::pair<const char*, const char*> pages[] = {
        {"www.baidu.com/s", "baidu_results.htm"},
        {"suggestion.baidu.com/su", "baidu_suggest.js"},
        {"nssug.baidu.com/su", "baidu_suggest2.js"},
        {"www.youdao.com/search", "youdao_search.htm"},
        {"www.sogou.com/web", "sogou_search.htm"},
        {"www.google.com.hk/search", "google_search.htm"},
        {"suggest.china.alibaba.com/bin/suggest", "alibaba_suggest.js"}};
    for (const auto& [address, file] : pages) {
        const QString url = QString::fromUtf8(address);
        const qsizetype slash = url.indexOf(u'/');
        web.Serve(url.left(slash), url.mid(slash),
                  fakeweb::Page::Bytes(mining_testing::PageBytes(QString::fromUtf8(file))));
    }
    web.Serve(metrics_testing::kShareHost, QStringLiteral("/index/lookup"),
              QStringLiteral("35-120"));
    // The helper page gives the suggestion services each seed's UTF-8 form.
    for (const QString& seed : {QStringLiteral("减肥"), QStringLiteral("节食"),
                                QStringLiteral("瘦身"), QStringLiteral("减肥茶")})
        browsers.documents[mining::HelperPageAddress(seed)] =
            QStringLiteral("<html><body><input value='") +
            QString::fromLatin1(QUrl::toPercentEncoding(seed)) + QStringLiteral("'></body></html>");
}

关键词挖掘& ProgramTest::MinedWindow() {
    关键词挖掘& mining = OpenMining();
    TickRegularMetrics(mining, false);
    mining.Text2->SetText(QStringLiteral("减肥"));
    mining.Command2_Click();
    return mining;
}

void ProgramTest::TickRegularMetrics(关键词挖掘& window, bool ticked) {
    for (platform::CheckBox* box : {window.Check7, window.Check8, window.Check11})
        box->SetValue(ticked ? 1 : 0);
    window.txtbaiduse->SetText(QStringLiteral("0"));
}

void ProgramTest::When(std::function<bool()> when, std::function<void()> action) {
    auto* timer = new QTimer(main.get());
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, when, action] {
        if (!when()) return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

void ProgramTest::InsideNextWait(std::function<void()> action) {
    When([] { return true; }, std::move(action));
}

void ProgramTest::BackInTheEventLoop() {
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
}

}  // namespace program_testing

// The three work windows as the program shows them, in the main window at the smallest screen
// the program is made for: every control's text must be readable on every page.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <optional>

#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "platform/tree_view.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"
#include "tools_window/comparison_entry.h"
#include "tools_window/tools_window.h"

namespace {

// What a control shows as its own text, and how wide that text needs it to be.
struct ShownText {
    QString text;
    int width = 0;
};

std::optional<ShownText> TextOf(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    const QStyle* style = control->style();
    const auto shown = [&](const QString& text, int besides) -> std::optional<ShownText> {
        if (text.trimmed().isEmpty()) return std::nullopt;
        const QRect bounds = metrics.boundingRect(QRect(), Qt::TextShowMnemonic, text);
        return ShownText{text, bounds.width() + besides};
    };
    if (auto* box = qobject_cast<const QCheckBox*>(control))
        return shown(box->text(), style->pixelMetric(QStyle::PM_IndicatorWidth) +
                                      style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    if (auto* option = qobject_cast<const QRadioButton*>(control))
        return shown(option->text(), style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return shown(button->text(), 4);  // a little room inside the edge
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->wordWrap() || label->textFormat() == Qt::RichText ? std::nullopt
                                                                        : shown(label->text(), 0);
    if (auto* frame = qobject_cast<const QGroupBox*>(control)) return shown(frame->title(), 16);
    if (auto* list = qobject_cast<const QComboBox*>(control)) {
        // The chosen entry beside the drop-down arrow.
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int text = metrics.horizontalAdvance(list->currentText());
        const QSize needed = style->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                     QSize(text, metrics.height()), list);
        return shown(list->currentText(), needed.width() - text);
    }
    return std::nullopt;
}

// The part of `control` that shows inside `root`: its rectangle cut by every enclosing one.
QRect VisiblePart(const QWidget* control, const QWidget* root) {
    QRect part = control->rect();
    for (const QWidget* w = control; w != root; w = w->parentWidget()) {
        part = part.translated(w->pos()) & w->parentWidget()->rect();
    }
    return part;
}

// The texts on the page shown in `window` that do not fit: too narrow a control, or a control
// cut by the edge of what holds it.
QStringList CutTexts(const QWidget* window, const QString& page) {
    QStringList cut;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->width() == 0) continue;
        const std::optional<ShownText> shown = TextOf(control);
        if (!shown) continue;
        const QString name = page + u'/' + control->objectName() + u' ' + shown->text;
        if (shown->width > control->width())
            cut << name + QStringLiteral(" needs %1 of %2").arg(shown->width).arg(control->width());
        else if (VisiblePart(control, window).size() != control->size())
            cut << name + QStringLiteral(" is cut by the edge");
    }
    return cut;
}

class ProgramLayout : public shell_testing::ShellTest {
  protected:
    ProgramLayout() {
        folder.AddFreshDatabase();
        RegisterWorkWindow(WorkWindowKind::Mining, [this] { return new 关键词挖掘(mining); });
        RegisterWorkWindow(WorkWindowKind::Tools, [this] { return new 关键词工具(tools); });
        RegisterWorkWindow(WorkWindowKind::Database, [] { return new 关键词数据库; });
        InstallComparisonTool(&comparison);
    }
    ~ProgramLayout() override {
        for (WorkWindowKind kind :
             {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
            UnloadWorkWindow(kind);
        InstallComparisonTool(nullptr);
    }

    MiningWindowFields mining;
    ToolsWindowFields tools;
    research::ToolsWindowComparison comparison;
};

// The smallest screen the program is made for, a common wide one and a large one.
TEST_F(ProgramLayout, EveryControlsTextFitsOnEveryPageOfTheWorkWindowsAt1024x768AndAbove) {
    MDIfrm main;
    ASSERT_TRUE(main.MDIForm_Load());
    main.setWindowState(Qt::WindowNoState);

    const struct {
        int button;
        WorkWindowKind kind;
        const char* name;
    } windows[] = {{2, WorkWindowKind::Mining, "mining"},
                   {3, WorkWindowKind::Tools, "tools"},
                   {4, WorkWindowKind::Database, "database"}};
    QStringList cut;
    for (const QSize screen : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
        main.setGeometry(QRect(QPoint(0, 0), screen));
        for (const auto& w : windows) {
            main.Button(w.button)->trigger();
            WorkWindow* window = LoadedWorkWindow(w.kind);
            ASSERT_NE(window, nullptr) << w.name;
            auto* tree = window->findChild<platform::TreeView*>(QStringLiteral("TreeView1"));
            ASSERT_NE(tree, nullptr) << w.name;
            for (int node = 1; node <= tree->NodeCount(); ++node) {
                tree->ClickNode(node);
                QApplication::processEvents();
                cut << CutTexts(window, QStringLiteral("%1x%2 %3 %4")
                                            .arg(screen.width())
                                            .arg(screen.height())
                                            .arg(QString::fromUtf8(w.name))
                                            .arg(node));
            }
        }
    }
    EXPECT_EQ(cut, QStringList());
}

}  // namespace

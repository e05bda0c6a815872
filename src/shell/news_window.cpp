#include "shell/news_window.h"

#include "shared/web_addresses.h"

QString NewsPageUrl() {
    return WebAddress::kMakerSite + QStringLiteral("/news.html?ver=4.0.0");
}

frm_login::frm_login(QWidget* parent)
    : QWidget(parent),
      Text1(new platform::TextBox(this)),
      Browser(platform::CreateBrowserView(this)) {
    setWindowTitle(QStringLiteral("登录软件"));
    Text1->SetText(QStringLiteral("     正在登录，请稍候..."));
    Text1->setReadOnly(true);
    Browser->raise();
}

void frm_login::Form_Load() {
    Browser->Navigate(NewsPageUrl());
}

void frm_login::Form_Resize() {
    Browser->setGeometry(0, 0, width(), height());
}

void frm_login::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

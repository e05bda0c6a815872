// The start-up benchmark's baseline for a start that reads a page first: a program of its own,
// linked against Qt Widgets and Qt Network alone, that asks for one page through the HTTP proxy
// given (the loopback web) and waits for the answer before it shows its minimal main window with
// the program's captions.
// Started as: minimal_fetch_window_program <address> <proxy host> <proxy port>

#include <QApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

#include "minimal_window/minimal_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) return 2;
    QNetworkProxy::setApplicationProxy(QNetworkProxy(
        QNetworkProxy::HttpProxy, QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toUShort()));
    QNetworkAccessManager web;
    QNetworkReply* reply = web.get(QNetworkRequest(QUrl(QString::fromLocal8Bit(argv[1]))));
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    wait.exec();
    if (reply->error() != QNetworkReply::NoError || reply->readAll().isEmpty()) return 1;
    delete reply;
    QMainWindow window;
    ShowMinimalWindow(window, Captions::Program);
    return app.exec();
}

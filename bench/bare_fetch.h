#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QString>
#include <QUrl>

#include "platform/http_request.h"

// The baselines' fetch of a page: one GET on the bare network access manager that the program
// uses too, waited for in an event loop; its body, not decoded.
inline QByteArray BareGet(const QString& address) {
    QNetworkReply* reply = platform::SharedNetwork().get(QNetworkRequest(QUrl(address)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    QByteArray body = reply->readAll();
    benchmark::DoNotOptimize(body.data());
    reply->deleteLater();
    return body;
}

#include "fakeweb/fake_web.h"

#include <httplib.h>

#include <QCoreApplication>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/charset.h"
#include "platform/http_request.h"

namespace fakeweb {
namespace {

struct Route {
    std::vector<Page> pages;
    size_t next = 0;
};

QString RouteKey(const QString& host, const QString& path) {
    return host.toLower() + path;
}

// Host and path of a request target: the whole address when it came through the proxy switch,
// else the path with the Host header.
std::pair<QString, QString> HostAndPath(const httplib::Request& req) {
    QString target = QString::fromStdString(req.target);
    QString host = QString::fromStdString(req.get_header_value("Host"));
    const qsizetype scheme = target.indexOf(QStringLiteral("://"));
    if (scheme > 0 && !target.left(scheme).contains(u'/')) {
        const QString rest = target.mid(scheme + 3);
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != u'/' && rest[end] != u'?') ++end;
        host = rest.left(end);
        target = rest.mid(end);
    }
    if (!target.startsWith(u'/')) target.prepend(u'/');
    const qsizetype colon = host.lastIndexOf(u':');
    if (colon > 0 && !host.endsWith(u']')) host.truncate(colon);
    return {host.toLower(), target};
}

// The numbers of the requests that loopback webs hold without answer, whichever web holds them.
struct HeldRequests {
    std::mutex mutex;
    std::multiset<quint64> numbers;
};

HeldRequests& Held() {
    static HeldRequests held;
    return held;
}

// A request held without answer for the object's lifetime. The program's thread is woken to
// look again at what it waits for: a change made here wakes no event loop by itself.
class HeldWithoutAnswer {
  public:
    explicit HeldWithoutAnswer(quint64 number) : number_(number) {
        std::lock_guard lock(Held().mutex);
        Held().numbers.insert(number_);
        if (QCoreApplication* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                application, [] {}, Qt::QueuedConnection);
    }
    ~HeldWithoutAnswer() {
        std::lock_guard lock(Held().mutex);
        Held().numbers.erase(Held().numbers.find(number_));
    }
    HeldWithoutAnswer(const HeldWithoutAnswer&) = delete;
    HeldWithoutAnswer& operator=(const HeldWithoutAnswer&) = delete;

  private:
    quint64 number_;
};

}  // namespace

bool AnswerMayCome() {
    const QList<quint64> inFlight = platform::HttpRequestNumbersInFlight();
    std::lock_guard lock(Held().mutex);
    for (const quint64 number : inFlight)
        if (!Held().numbers.contains(number)) return true;
    return false;
}

struct FakeWeb::State {
    std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    bool released = false;
    std::map<QString, Route> routes;
    std::vector<Request> requests;
    std::chrono::milliseconds everyAnswerDelay{0};
    int endlessSending = 0;
    httplib::Server server;
    std::thread thread;
    int port = 0;
    QByteArray previousVariable;
    bool hadVariable = false;

    // The page for a request, taken in turn when several were given.
    std::optional<Page> Find(const QString& host, const QString& path) {
        auto route = routes.find(RouteKey(host, path));
        if (route == routes.end()) route = routes.find(RouteKey(host, path.section(u'?', 0, 0)));
        if (route == routes.end()) return std::nullopt;
        Route& r = route->second;
        const Page page = r.pages[std::min(r.next, r.pages.size() - 1)];
        ++r.next;
        return page;
    }

    void Handle(const httplib::Request& req, httplib::Response& res) {
        const auto [host, path] = HostAndPath(req);
        Request request{QString::fromStdString(req.method),
                        host,
                        path,
                        {},
                        QByteArray::fromStdString(req.body)};
        // The request's number is the fake web's own business, not the program's header.
        const quint64 number =
            QByteArray::fromStdString(req.get_header_value(platform::kFakeWebRequestHeader))
                .toULongLong();
        for (const auto& [name, value] : req.headers)
            if (QString::fromStdString(name).compare(QLatin1String(platform::kFakeWebRequestHeader),
                                                     Qt::CaseInsensitive) != 0)
                request.headers.append(
                    {QString::fromStdString(name), QString::fromStdString(value)});

        std::unique_lock lock(mutex);
        requests.push_back(request);
        if (everyAnswerDelay.count() > 0)
            stopping.wait_for(lock, everyAnswerDelay, [this] { return stopped; });
        const std::optional<Page> page = Find(host, path);
        if (!page) {
            res.status = 404;
            return;
        }
        if (page->never) {
            const HeldWithoutAnswer held(number);
            stopping.wait(lock, [this] { return stopped; });
        } else if (page->untilReleased) {
            stopping.wait(lock, [this] { return stopped || released; });
        } else if (page->delay.count() > 0) {
            stopping.wait_for(lock, page->delay, [this] { return stopped; });
        }
        res.status = page->status;
        for (const auto& [name, value] : page->headers)
            res.set_header(name.toStdString(), value.toStdString());
        SetBody(*page, res);
    }

    bool Stopped() {
        std::lock_guard lock(mutex);
        return stopped;
    }

    // The body as the page says it travels; a provider that returns false breaks the
    // connection off.
    void SetBody(const Page& page, httplib::Response& res) {
        static constexpr size_t kChunk = 4096;
        const std::string type = page.contentType.toStdString();
        if (page.endless) {
            ++endlessSending;  // under the lock Handle holds
            const auto flood = [this](size_t, httplib::DataSink& sink) {
                static const std::string chunk(64 * 1024, 'x');
                return !Stopped() && sink.write(chunk.data(), chunk.size());
            };
            const auto hungUp = [this](bool) {
                std::lock_guard lock(mutex);
                --endlessSending;
            };
            if (page.untilClose)
                res.set_content_provider(type, flood, hungUp);
            else
                res.set_chunked_content_provider(type, flood, hungUp);
            return;
        }
        if (!page.chunked && !page.cutAfter) {
            res.set_content(page.body.toStdString(), type);
            return;
        }
        const auto body = std::make_shared<const std::string>(page.body.toStdString());
        const size_t sent = std::min<size_t>(page.cutAfter.value_or(body->size()), body->size());
        const bool whole = !page.cutAfter;
        const auto part = [body, sent](size_t offset, httplib::DataSink& sink) {
            return sink.write(body->data() + offset, std::min(kChunk, sent - offset));
        };
        if (page.chunked) {
            res.set_chunked_content_provider(
                type, [part, sent, whole](size_t offset, httplib::DataSink& sink) {
                    if (offset < sent) return part(offset, sink);
                    if (!whole) return false;
                    sink.done();
                    return true;
                });
        } else {
            res.set_content_provider(body->size(), type,
                                     [part, sent](size_t offset, size_t, httplib::DataSink& sink) {
                                         return offset < sent && part(offset, sink);
                                     });
        }
    }
};

Page Page::Text(const QString& text, const QString& charset) {
    return Bytes(platform::TextToBytes(text, charset));
}

Page Page::Bytes(const QByteArray& bytes) {
    Page page;
    page.body = bytes;
    return page;
}

Page Page::Never() {
    Page page;
    page.never = true;
    return page;
}

Page Page::Endless() {
    Page page;
    page.endless = true;
    return page;
}

QString Request::Header(const QString& name) const {
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
    return {};
}

FakeWeb::FakeWeb() : state_(std::make_shared<State>()) {
    State& state = *state_;
    // One request per connection: nothing lingers in keep-alive when the test ends.
    state.server.set_keep_alive_max_count(1);
    // An idle connection (one the client opened but never used) must not hold up the stop.
    state.server.set_read_timeout(0, 200'000);
    // Late and never-answered pages each hold a worker; leave room for many.
    state.server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    const auto handler = [&state](const httplib::Request& req, httplib::Response& res) {
        state.Handle(req, res);
    };
    state.server.Get(".*", handler);
    state.server.Post(".*", handler);
    state.port = state.server.bind_to_any_port("127.0.0.1");
    state.thread = std::thread([&state] { state.server.listen_after_bind(); });
    // A stop before the server runs would be lost and leave its thread running for ever.
    while (!state.server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    state.hadVariable = qEnvironmentVariableIsSet(platform::kFakeWebVariable);
    state.previousVariable = qgetenv(platform::kFakeWebVariable);
    qputenv(platform::kFakeWebVariable, Address().toUtf8());
}

FakeWeb::~FakeWeb() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopped = true;
    }
    state_->stopping.notify_all();
    state_->server.stop();
    state_->thread.join();
    if (state_->hadVariable)
        qputenv(platform::kFakeWebVariable, state_->previousVariable);
    else
        qunsetenv(platform::kFakeWebVariable);
}

void FakeWeb::Serve(const QString& host, const QString& path, const Page& page) {
    ServeInTurn(host, path, {page});
}

void FakeWeb::Serve(const QString& host, const QString& path, const QString& text,
                    const QString& charset) {
    Serve(host, path, Page::Text(text, charset));
}

void FakeWeb::ServeInTurn(const QString& host, const QString& path,
                          const std::vector<Page>& pages) {
    if (pages.empty()) return;
    std::lock_guard lock(state_->mutex);
    state_->routes[RouteKey(host, path)] = Route{pages, 0};
}

std::vector<Request> FakeWeb::Requests() const {
    std::lock_guard lock(state_->mutex);
    return state_->requests;
}

std::vector<Request> FakeWeb::Requests(const QString& host) const {
    std::vector<Request> matching;
    for (const Request& request : Requests())
        if (request.host.compare(host, Qt::CaseInsensitive) == 0) matching.push_back(request);
    return matching;
}

QStringList FakeWeb::RequestedUrls() const {
    QStringList urls;
    for (const Request& request : Requests()) urls << request.Url();
    return urls;
}

void FakeWeb::DelayEveryAnswer(std::chrono::milliseconds delay) {
    std::lock_guard lock(state_->mutex);
    state_->everyAnswerDelay = delay;
}

void FakeWeb::ClearRequests() {
    std::lock_guard lock(state_->mutex);
    state_->requests.clear();
}

void FakeWeb::Release() {
    {
        std::lock_guard lock(state_->mutex);
        state_->released = true;
    }
    state_->stopping.notify_all();
}

int FakeWeb::EndlessBodiesBeingSent() const {
    std::lock_guard lock(state_->mutex);
    return state_->endlessSending;
}

QString FakeWeb::Address() const {
    return QStringLiteral("127.0.0.1:%1").arg(state_->port);
}

}  // namespace fakeweb

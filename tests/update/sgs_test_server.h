// A local HTTP server on 127.0.0.1 standing in for the central bank's series
// service in tests: it runs in a thread of its own (so an in-process update
// waiting in its event loop is answered), hands every request target to a
// handler and sends what the handler says, also slowly or cut short.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quintara::testing {

// Qt Network needs an application object; one for the whole test program.
inline void ensureCoreApplication()
{
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "quintara-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

struct Answer {
    int status = 200;
    std::string body;
    int delayMs = 0;        // wait this long before answering
    bool cutShort = false;  // promise the whole body, send half, close
};

class SgsTestServer {
public:
    using Handler = std::function<Answer(const std::string& target)>;

    explicit SgsTestServer(Handler handler) : handler_(std::move(handler))
    {
        ensureCoreApplication();
        std::promise<quint16> port;
        std::future<quint16> ready = port.get_future();
        thread_.reset(QThread::create([this, &port] { serve(port); }));
        thread_->start();
        port_ = ready.get();
    }
    ~SgsTestServer()
    {
        thread_->quit();
        thread_->wait();
    }
    SgsTestServer(const SgsTestServer&) = delete;
    SgsTestServer& operator=(const SgsTestServer&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/dados/serie"; }
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void serve(std::promise<quint16>& port)
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
            while (QTcpSocket* socket = server.nextPendingConnection()) accept(socket);
        });
        port.set_value(server.serverPort());
        QEventLoop loop;
        loop.exec();
    }

    void accept(QTcpSocket* socket)
    {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            if (!received->contains("\r\n\r\n")) return;
            const QList<QByteArray> requestLine = received->left(received->indexOf("\r\n")).split(' ');
            const std::string target = requestLine.value(1).toStdString();
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(target);
            }
            const Answer answer = handler_(target);
            auto send = [socket, answer] { respond(socket, answer); };
            if (answer.delayMs > 0)
                QTimer::singleShot(answer.delayMs, socket, send);
            else
                send();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    static void respond(QTcpSocket* socket, const Answer& answer)
    {
        if (socket->state() != QAbstractSocket::ConnectedState) return;
        const std::size_t sent = answer.cutShort ? answer.body.size() / 2 : answer.body.size();
        std::string head =
            "HTTP/1.1 " + std::to_string(answer.status) + (answer.status == 200 ? " OK" : " Error") +
            "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(answer.body.size()) +
            "\r\nConnection: close\r\n\r\n";
        socket->write(head.data(), static_cast<qint64>(head.size()));
        socket->write(answer.body.data(), static_cast<qint64>(sent));
        socket->disconnectFromHost();
    }

    Handler handler_;
    std::unique_ptr<QThread> thread_;
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

}  // namespace quintara::testing

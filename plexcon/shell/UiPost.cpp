#include "shell/UiPost.h"

#include <QCoreApplication>
#include <QPointer>

#include <deque>
#include <mutex>
#include <utility>

namespace {

// Lives on the UI thread, where it is made when the application starts; runs the queued calls in the order they
// were posted.
class UiPostQueue : public QObject {
    Q_OBJECT
public:
    static UiPostQueue& Instance() {
        static UiPostQueue* queue = new UiPostQueue(QCoreApplication::instance());
        return *queue;
    }

    void post(QObject* receiver, std::function<void()> call) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back({QPointer<QObject>(receiver), std::move(call)});
        }
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
    }

    Q_INVOKABLE void drain() {
        std::deque<Entry> calls;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            calls.swap(calls_);
        }
        for (Entry& e : calls)
            if (e.receiver) e.call();
    }

private:
    using QObject::QObject;

    struct Entry {
        QPointer<QObject> receiver;
        std::function<void()> call;
    };
    std::mutex mutex_;
    std::deque<Entry> calls_;
};

void MakeQueueOnTheUiThread() { UiPostQueue::Instance(); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(MakeQueueOnTheUiThread)

void PostToUi(QObject* receiver, std::function<void()> call) { UiPostQueue::Instance().post(receiver, std::move(call)); }

#include "UiPost.moc"

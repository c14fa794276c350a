// How a worker thread asks the UI thread to do something: the call is queued under a std::mutex and run on the
// receiver's thread once the event loop gets to it, and dropped when the receiver is gone by then. Workers use it
// instead of a queued lambda of their own, so that what they hand over crosses threads under a lock that
// ThreadSanitizer sees (Qt's event queue is not instrumented).
#pragma once

#include <QObject>

#include <functional>

void PostToUi(QObject* receiver, std::function<void()> call);

// Datagrams as the UDP transports hand them on: what a receive thread found
// waiting on its socket, collected until the owner's thread comes round to
// them and delivered in one call.
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <mutex>
#include <utility>

struct Datagram {
    QByteArray data;
    QString sender;  // IPv4 address text
};

using DatagramBatch = QVector<Datagram>;

Q_DECLARE_METATYPE(DatagramBatch)

// Makes the batch type known to queued connections; the transports call it
// when they are built.
inline void RegisterDatagramBatch()
{
    static const int id = qRegisterMetaType<DatagramBatch>("DatagramBatch");
    Q_UNUSED(id)
}

// Where a receive thread leaves its datagrams for the thread that owns the
// transport. However many arrive while that thread is busy, it is woken once
// and takes them all, so a read-back's burst of replies costs the GUI thread
// one hand-off per event-loop turn, not one per datagram.
class DatagramHandOff {
public:
    // Receive thread. True when nothing was waiting: the caller then posts
    // one delivery to the owner's thread, which takes this and whatever
    // follows until it runs.
    bool Add(DatagramBatch&& batch)
    {
        std::lock_guard<std::mutex> guard(lock_);
        const bool wasEmpty = pending_.isEmpty();
        if (wasEmpty)
            pending_ = std::move(batch);
        else
            pending_ += batch;
        return wasEmpty;
    }

    // Owner's thread: everything that arrived since the last call, in order.
    DatagramBatch Take()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return std::exchange(pending_, DatagramBatch());
    }

    int Pending() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return pending_.size();
    }

private:
    mutable std::mutex lock_;
    DatagramBatch pending_;
};

// Datagrams as the UDP transports hand them on: what a receive thread found
// waiting on its socket, collected until the owner's thread comes round to
// them and delivered in one call.
#pragma once

#include "Frames.h"

#include <QAbstractEventDispatcher>
#include <QByteArray>
#include <QHash>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <cstdint>
#include <mutex>
#include <utility>

struct Datagram {
    QByteArray data;
    QString sender;  // IPv4 address text
    // When the receive thread took it from the socket (DeviceList::NowMs).
    int64_t receivedMs = 0;
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
//
// A device repeats its status frame every few seconds while nothing changes.
// Such a repeat wakes nobody: it waits until the owner's thread is awake
// anyway (the owner asks with IdleDeliveryDue() each time its event loop
// turns) and is then delivered in order with the rest. It must not wait when
// it could change what the program shows: a status frame that differs from
// the sender's last one, or one after a silence long enough for the device's
// cell to have counted it missing, is delivered at once.
class DatagramHandOff {
public:
    // A status frame that comes later than this after the sender's last one
    // is delivered at once: well under the 6000 ms after which a device cell
    // counts a missed heartbeat, so a cell that may have gone offline always
    // learns at once that its device is back.
    static constexpr int64_t kRepeatGapMs = 3000;

    // Receive thread. True when the caller is to post one delivery to the
    // owner's thread: something arrived that must be seen now and no
    // delivery is posted yet. That delivery takes this and whatever follows
    // until it runs.
    bool Add(DatagramBatch&& batch)
    {
        std::lock_guard<std::mutex> guard(lock_);
        bool urgent = !repeatsWait_;
        for (const Datagram& d : batch)
            urgent = !noteRepeatLocked(d) || urgent;
        if (pending_.isEmpty())
            pending_ = std::move(batch);
        else
            pending_ += batch;
        return urgent && claimLocked();
    }

    // Owner's thread, whenever its event loop turns: true when datagrams wait
    // with no delivery posted; the caller then posts one, which costs no
    // wake-up since the thread is awake.
    bool IdleDeliveryDue()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return !pending_.isEmpty() && claimLocked();
    }

    // Owner's thread: everything that arrived since the last call, in order.
    DatagramBatch Take()
    {
        std::lock_guard<std::mutex> guard(lock_);
        posted_ = false;
        return std::exchange(pending_, DatagramBatch());
    }

    int Pending() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return pending_.size();
    }

    // Owner's thread, once its event loop asks IdleDeliveryDue() at every
    // turn; until then every datagram is delivered at once.
    void LetRepeatsWait()
    {
        std::lock_guard<std::mutex> guard(lock_);
        repeatsWait_ = true;
    }

    // Any thread: the next status frame of every sender is delivered at once
    // (after the selection moved to another device, whose sync-lock state the
    // main window has not shown yet).
    void ForgetRepeats()
    {
        std::lock_guard<std::mutex> guard(lock_);
        lastStatus_.clear();
    }

private:
    struct LastStatus {
        QByteArray data;
        int64_t receivedMs = 0;
    };

    // True when d repeats the sender's last status frame within the gap; notes
    // every status frame as the sender's last.
    bool noteRepeatLocked(const Datagram& d)
    {
        const auto* f = reinterpret_cast<const uint8_t*>(d.data.constData());
        if (d.data.size() != Frame::kShortSize || f[0] != Frame::kShortSync0 ||
            f[1] != Frame::kShortSync1 || ReadLe16(f + 4) != kStatusCode)
            return false;
        // A device list holds a few dozen processors; a flood of senders
        // only costs them being delivered at once.
        if (lastStatus_.size() >= kMaxSenders && !lastStatus_.contains(d.sender))
            lastStatus_.clear();
        LastStatus& last = lastStatus_[d.sender];
        const bool repeat = !last.data.isEmpty() && last.data == d.data &&
                            d.receivedMs - last.receivedMs < kRepeatGapMs;
        last.data = d.data;
        last.receivedMs = d.receivedMs;
        return repeat;
    }

    bool claimLocked()
    {
        if (posted_)
            return false;
        posted_ = true;
        return true;
    }

    static constexpr uint16_t kStatusCode = 0x0500;
    static constexpr int kMaxSenders = 1024;

    mutable std::mutex lock_;
    DatagramBatch pending_;
    bool posted_ = false;  // a delivery is on its way to the owner's thread
    bool repeatsWait_ = false;
    QHash<QString, LastStatus> lastStatus_;
};

// Owner's thread, when the transport is built: every turn of this thread's
// event loop (before it sleeps, and when processEvents runs without sleeping)
// posts the delivery of datagrams that wait with none posted.
template <class Transport>
void DeliverRepeatsEachTurn(Transport* owner, DatagramHandOff& handOff,
                            void (Transport::*deliver)())
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(owner->thread());
    if (!dispatcher)
        return;
    auto turn = [owner, &handOff, deliver] {
        if (handOff.IdleDeliveryDue())
            QMetaObject::invokeMethod(owner, deliver, Qt::QueuedConnection);
    };
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, owner, turn);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, owner, turn);
    handOff.LetRepeatsWait();
}

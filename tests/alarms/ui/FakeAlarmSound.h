#pragma once

#include "alarms/ui/AlarmSound.h"

#include <QStringList>

namespace twtest {

// Records what the notification window would play.
class FakeAlarmSound final : public tw::AlarmSound {
public:
    bool play(const QString& path) override {
        played << path;
        return true;
    }
    void stop() override { ++stops; }

    QStringList played;
    int stops = 0;
};

} // namespace twtest

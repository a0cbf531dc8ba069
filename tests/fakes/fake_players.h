#pragma once

#include "core/ports.h"

#include <ctime>
#include <string>
#include <vector>

// Records every command as a line: "close", "file PATH", "open", "play".
class RecordingCuePlayer final : public CuePlayer {
  public:
    void close() override { log.push_back("close"); }
    void setFileName(const std::string& path) override { log.push_back("file " + path); }
    void open() override { log.push_back("open"); }
    void play() override { log.push_back("play"); }

    // The files played (opened and played), in order.
    std::vector<std::string> played() const {
        std::vector<std::string> files;
        std::string current;
        for (const std::string& line : log) {
            if (line.starts_with("file "))
                current = line.substr(5);
            else if (line == "play")
                files.push_back(current);
        }
        return files;
    }

    std::vector<std::string> log;
};

class FakeMediaPlayer final : public MediaPlayer {
  public:
    void setEnabled(bool on) override {
        enabled = on;
        log.push_back(on ? "enable" : "disable");
    }
    void close() override { log.push_back("close"); }
    void setUrl(const std::string& path) override {
        url = path;
        log.push_back("url " + path);
    }

    bool enabled = false;
    std::string url = "unset";
    std::vector<std::string> log;
};

// Stands at a time of day set by hand, on today's date.
class FakeClock final : public Clock {
  public:
    WallTime now() const override { return today(time); }
    TimeOfDay time{9, 0, 0};

    // The moment of a local time of day today.
    static WallTime today(TimeOfDay at) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        local.tm_hour = at.hour;
        local.tm_min = at.minute;
        local.tm_sec = at.second;
        local.tm_isdst = -1;
        return std::chrono::system_clock::from_time_t(std::mktime(&local));
    }
};

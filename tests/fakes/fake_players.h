#pragma once

#include "core/ports.h"

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

class FakeClock final : public Clock {
  public:
    TimeOfDay now() const override { return time; }
    TimeOfDay time{9, 0, 0};
};

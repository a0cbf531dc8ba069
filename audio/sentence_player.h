#pragma once

#include "audio/sentence.h"

#include <memory>
#include <optional>
#include <string>

// Plays one sentence of a recording at a time, at its own speed or slower
// with the pitch kept (the tempo is stretched, not the sound resampled), as
// many times in a row as asked. GStreamer plays it on its own threads; the
// owner calls poll() now and then to carry on with the next play.
class SentencePlayer {
  public:
    // Into the default sound output; where there is none, GStreamer plays to
    // nothing, in time, and the player's state still follows.
    static std::unique_ptr<SentencePlayer> toSpeakers(std::shared_ptr<const std::string> recording,
                                                      std::string& why);
    // Into a WAV file at `wavPath`, as fast as it decodes: one play only.
    static std::unique_ptr<SentencePlayer> toFile(std::shared_ptr<const std::string> recording,
                                                  const std::string& wavPath, std::string& why);
    ~SentencePlayer();
    SentencePlayer(const SentencePlayer&) = delete;
    SentencePlayer& operator=(const SentencePlayer&) = delete;

    // Starts `sentence` at `rate` (1 = as recorded), `times` times in a row;
    // whatever played before stops. False, with the reason, when it cannot.
    bool play(Sentence sentence, double rate, int times);
    // Takes what the pipeline reported: the next play of the sentence when one
    // ended. Whether the sentence is still playing.
    bool poll();

    bool playing() const { return m_playsLeft > 0; }
    // The sentence played last (or playing), with its rate.
    std::optional<Sentence> sentence() const { return m_sentence; }
    double rate() const { return m_rate; }
    // Plays of the sentence begun since play(), the one playing included.
    int playsBegun() const { return m_playsBegun; }
    // Where the pipeline is in the recording, in seconds; none when it cannot say.
    std::optional<double> position() const;
    const std::string& problem() const { return m_problem; }

  private:
    struct Pipeline;
    explicit SentencePlayer(std::unique_ptr<Pipeline> pipeline);
    bool seek();

    std::unique_ptr<Pipeline> m_pipeline;
    std::optional<Sentence> m_sentence;
    double m_rate = 1;
    int m_playsLeft = 0;
    int m_playsBegun = 0;
    std::string m_problem;
};

// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What a screen reader hears of the results: one polite announcement of all
// three once they have settled (after Enter, after a drag ends, after a held
// key or arrow stops), and while the factor keeps stepping no more than one
// each half second, the latest. Enter runs the recalculation twice and a
// held arrow twenty times a second: each is one change to tell, not many.
// Written once; a front-end gives it a clock, a timer and a voice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vesk {

class Announcer {
  public:
    using Ms = std::int64_t; // a steady clock, in milliseconds

    // Quiet for this long, the results have settled.
    static constexpr Ms kSettled = 300;
    // Two announcements are never closer than this.
    static constexpr Ms kSpacing = 500;

    class Voice {
      public:
        virtual Ms now() const = 0;
        // Calls woken() once, `after` milliseconds from now, replacing any
        // call asked for before.
        virtual void wakeAfter(Ms after) = 0;
        // Tells the screen reader, politely: after what it is saying.
        virtual void say(const std::string& text) = 0;

      protected:
        ~Voice() = default;
    };

    explicit Announcer(Voice& voice) : voice_(voice) {}

    // The results were written; `said` is how they read.
    void shown(std::string said);
    // The voice's timer.
    void woken();

    // When the waiting announcement is due, if one waits.
    std::optional<Ms> due() const;

  private:
    void wake();

    Voice& voice_;
    std::optional<std::string> waiting_;
    Ms firstChange_ = 0, lastChange_ = 0;
    std::optional<Ms> lastSaid_;
};

} // namespace vesk

#pragma once
// StatsPanel: the panel that the level statistics and the final statistics share. It slides in,
// then stamps its three values one after another (powerups collected, enemies destroyed,
// accuracy) and waits for Continue (or Escape). The two screens own one panel each and differ in
// title, counters and where Continue leads.
#include <array>
#include <string>

#include "presentation/text.h"
#include "sprites/sprite.h"

// The three value texts for a set of counters: "collected/released", "destroyed/created" and the
// accuracy floor(100 × hits / shots) + "%" (0 % when no shot was fired).
std::array<std::string, 3> StatisticsValues(int collected, int released, int destroyed, int created, int hits,
                                            int shots);

class StatsPanel {
public:
    static constexpr int VALUE_STAMP_TIME = 150; // ms for a value to shrink into place

    // Builds the 6 × 3 panel with the title picture, the Continue button, the labels and the
    // value texts, hidden.
    void Load(const std::string& titlePicture);
    // Restarts the sequence with new values, hidden until stamped; releases the pointer where the
    // ship was.
    void Show(const std::array<std::string, 3>& values);
    void Hide();
    // Runs one frame; returns true on the frame Continue is chosen (by click or Escape).
    bool Update();

    // 0..8: slide in, stamp each value and wait for it, then choose.
    int MenuState() const { return MenuState_; }
    const SpriteRef& Panel() const { return Panel_; }
    const SpriteRef& ContinueButton() const { return ContinueButton_; }
    const TextRef& Value(int row) const { return Values_[size_t(row)]; }

private:
    void Stamp(int row);

    int MenuState_ = 0;
    SpriteRef Panel_, ContinueButton_;
    std::array<TextRef, 3> Values_;
};

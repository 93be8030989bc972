#pragma once
// Score awards on their way to the scoreboard. When an enemy dies its points float up at once
// and go straight into the save slot, but the board's number rises only after a delay, when the
// floating text has had time to arrive. Each pending award is one Points object.
//
// Ownership: the class-wide PointsList keeps every pending award (through its own reference to
// itself) from Create until Free.
#include <cstdint>
#include <memory>

#include "sprites/intrusive_list.h"

class Points;
using PointsRef = std::shared_ptr<Points>;

class Points {
public:
    // A pending award of `value` points that reaches ScoreBoard::Score after `delay` ms of game
    // time (a delay of 0 on the next scoreboard update).
    static PointsRef Create(int64_t value, int delay);
    // Counts every pending award down by DeltaTime; those that are due are added to the board.
    // Called by ScoreBoard::Update once per frame of play.
    static void UpdateAll();
    void Update();
    // Leaves PointsList without adding anything. Valid once.
    void Free();
    // Drops every pending award: the save slot keeps those points, the board never gets them.
    static void FreeAll();

    static IntrusiveList<Points>& PointsList();

    ListLink<Points> Link_;
    int64_t Value_ = 0;
    int RemainingTime_ = 0; // ms

private:
    PointsRef Self_;
};

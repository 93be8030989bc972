#include "game/points.h"

#include "game/scoreboard.h"
#include "shell/frame_clock.h"

IntrusiveList<Points>& Points::PointsList() {
    static IntrusiveList<Points> list;
    return list;
}

PointsRef Points::Create(int64_t value, int delay) {
    PointsRef award = std::make_shared<Points>();
    award->Value_ = value;
    award->RemainingTime_ = delay;
    award->Self_ = award;
    PointsList().PushBack(*award);
    return award;
}

void Points::UpdateAll() {
    for (IntrusiveList<Points>::Pass pass(PointsList()); Points* award = pass.Next();)
        award->Update();
}

void Points::Update() {
    RemainingTime_ -= DeltaTime;
    if (RemainingTime_ < 1) {
        ScoreBoard::Score += Value_;
        Free();
    }
}

void Points::Free() {
    if (!Link_.Linked) return;
    PointsList().Remove(*this);
    PointsRef self = std::move(Self_); // may be the last reference: released at the end of scope
}

void Points::FreeAll() {
    for (IntrusiveList<Points>::Pass pass(PointsList()); Points* award = pass.Next();)
        award->Free();
}

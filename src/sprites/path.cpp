#include "sprites/path.h"

#include <cmath>

PathRef Path::Create() {
    return PathRef(new Path());
}

void PathPoint::Free() {
    if (Link_.Linked) Owner_->PointList_.Remove(*this);
}

void Path::Free() {
    for (IntrusiveList<PathPoint>::Pass pass(PointList_); PathPoint* point = pass.Next();)
        point->Free();
    PointArray_.clear();
    Points_ = 0;
    Length_ = 0;
    // The memory of the points stays until the path object goes: a stale reference to a point
    // must never dangle.
    for (IntrusiveList<Sprite>::Pass pass(Sprite::SpriteList()); Sprite* sprite = pass.Next();) {
        if (sprite->Path().get() == this) sprite->Free();
    }
}

PathPoint* Path::AddPoint(float x, float y, int where, int update) {
    Storage_.push_back(std::unique_ptr<PathPoint>(new PathPoint()));
    PathPoint* point = Storage_.back().get();
    point->Owner_ = this;
    if (where == 1) {
        PointList_.PushFront(*point);
    } else {
        PointList_.PushBack(*point);
    }
    PositionPoint(*point, x, y, update);
    ++Points_;
    return point;
}

void Path::UpdateSegment(PathPoint& from, PathPoint& to) {
    Length_ -= from.SegmentLength_;
    const float dx = to.X_ - from.X_;
    const float dy = to.Y_ - from.Y_;
    from.SegmentLength_ = std::sqrt(dx * dx + dy * dy);
    // Coincident points have no normal; 0 keeps the sideways offset from turning into NaN.
    from.SegmentNx_ = from.SegmentLength_ != 0 ? dy / from.SegmentLength_ : 0.0f;
    from.SegmentNy_ = from.SegmentLength_ != 0 ? -dx / from.SegmentLength_ : 0.0f;
    Length_ += from.SegmentLength_;
    to.SegmentDist_ = from.SegmentDist_ + from.SegmentLength_;
}

void Path::PositionPoint(PathPoint& point, float x, float y, int update) {
    point.X_ = x;
    point.Y_ = y;
    if (PathPoint* previous = point.Link_.Prev) UpdateSegment(*previous, point);
    if (PathPoint* next = point.Link_.Next) UpdateSegment(point, *next);
    if (update != 0) UpdatePath();
}

void Path::UpdatePath() {
    PointArray_.clear();
    for (PathPoint* point = PointList_.First(); point; point = point->Link_.Next)
        PointArray_.push_back(point);
}

const PathPoint* Path::FindNearestPoint(float d) const {
    if (!PointList_.First()) return nullptr;
    if (!(d > 0)) return PointList_.First();
    if (!(d < Length_)) return PointList_.Last();
    // The array may be stale (points added without an update); search only what it holds.
    const int count = int(PointArray_.size());
    if (count == 0) return PointList_.First();
    int lo = 0;
    int hi = count - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (PointArray_[size_t(mid)]->SegmentDist_ > d) {
            if (mid == 0) return PointArray_[0];
            hi = mid - 1;
        } else {
            if (mid == count - 1 || PointArray_[size_t(mid) + 1]->SegmentDist_ > d)
                return PointArray_[size_t(mid)];
            lo = mid + 1;
        }
    }
    return PointArray_[size_t(lo < count ? lo : count - 1)];
}

void Path::Transform(float d, float offset, float& x, float& y) const {
    const PathPoint* p = FindNearestPoint(d);
    if (!p) {
        // An empty path leaves the coordinates as they are.
        x = d;
        y = offset;
        return;
    }
    if (const PathPoint* n = p->Link_.Next) {
        const float t = p->SegmentLength_ != 0 ? (d - p->SegmentDist_) / p->SegmentLength_ : 0.0f;
        x = p->X_ + t * (n->X_ - p->X_) + offset * p->SegmentNx_;
        y = p->Y_ + t * (n->Y_ - p->Y_) + offset * p->SegmentNy_;
    } else {
        x = p->X_;
        y = p->Y_;
        if (const PathPoint* q = p->Link_.Prev) {
            x += offset * q->SegmentNx_;
            y += offset * q->SegmentNy_;
        }
    }
}

float Path::Nx(float d) const {
    const PathPoint* p = FindNearestPoint(d);
    return p ? p->SegmentNx_ : 0.0f;
}

float Path::Ny(float d) const {
    const PathPoint* p = FindNearestPoint(d);
    return p ? p->SegmentNy_ : 0.0f;
}

void Path::Smooth(int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        for (PathPoint* point = PointList_.First(); point; point = point->Link_.Next) {
            PathPoint* previous = point->Link_.Prev;
            PathPoint* next = point->Link_.Next;
            if (previous && next) {
                PositionPoint(*point, (previous->X_ + next->X_) / 2, (previous->Y_ + next->Y_) / 2, 0);
            }
        }
    }
    UpdatePath();
}

#pragma once
// Path: a polyline of points a sprite can follow (Sprite::SetPath). On a path a sprite's own x is
// the distance along the path and its own y the sideways offset (along the segment normal), so
// an ordinary x animation or velocity moves it along the curve. The path's transform is applied
// before the parent's.
#include <memory>
#include <vector>

#include "sprites/sprite.h"

class Path;

class PathPoint {
public:
    float X() const { return X_; }
    float Y() const { return Y_; }
    float SegmentLength() const { return SegmentLength_; } // to the next point; 0 for the last
    float SegmentDist() const { return SegmentDist_; }     // distance along the path
    float SegmentNx() const { return SegmentNx_; }         // unit normal (dy, -dx) / length
    float SegmentNy() const { return SegmentNy_; }
    // Unlinks the point from its path's list (the path keeps the memory until it is destroyed).
    void Free();

    ListLink<PathPoint> Link_;

private:
    friend class Path;
    PathPoint() = default;
    Path* Owner_ = nullptr;
    float X_ = 0, Y_ = 0;
    float SegmentLength_ = 0, SegmentDist_ = 0;
    float SegmentNx_ = 0, SegmentNy_ = 0;
};

class Path {
public:
    static PathRef Create();
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;

    // Releases every point, then frees every sprite in SpriteList that follows this path.
    void Free();
    // Appends (where 0) or prepends (where 1) a point, positions it; update ≠ 0 refreshes the
    // lookup array. Returns the point.
    PathPoint* AddPoint(float x, float y, int where, int update);
    // Moves a point and recomputes its two adjacent segments (only the moved point's and its
    // successor's distances are refreshed).
    void PositionPoint(PathPoint& point, float x, float y, int update);
    // The lookup array := the points in order.
    void UpdatePath();
    // Path space (distance d, sideways offset) to the sprite's parent space.
    void Transform(float d, float offset, float& x, float& y) const;
    float Nx(float d) const;
    float Ny(float d) const;
    // Neighbour averaging, `passes` times; end points stay.
    void Smooth(int passes);
    // The point whose segment contains distance d; null for an empty path.
    const PathPoint* FindNearestPoint(float d) const;

    int Points() const { return Points_; }
    float Length() const { return Length_; }
    const IntrusiveList<PathPoint>& PointList() const { return PointList_; }

private:
    friend class PathPoint;
    Path() = default;
    void UpdateSegment(PathPoint& from, PathPoint& to);

    IntrusiveList<PathPoint> PointList_;
    std::vector<PathPoint*> PointArray_;
    std::vector<std::unique_ptr<PathPoint>> Storage_; // owns every point ever added
    int Points_ = 0;
    float Length_ = 0;
};

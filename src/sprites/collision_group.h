#pragma once
// Collision groups, the declared pairs of groups that collide, and the pairs found in one pass.
// Groups and sets live for the rest of the program once created; pairs live for one pass
// (Physics::DoCollisions).
#include <memory>
#include <vector>

#include "sprites/sprite.h"

// Shapes used for the members of a group in a CollisionSet. Only (image, image) and
// (circle, circle) can collide; mixed shapes and the reserved codes 2 and 3 never do.
constexpr int SHAPE_IMAGE = 0;  // pixel-exact overlap of the two pictures
constexpr int SHAPE_CIRCLE = 1; // circles of the sprites' radii

class CollisionID {
public:
    static CollisionIDRef Create();
    // Members in the order they joined (Sprite::SetCollisionID; Sprite::Free leaves the group).
    const std::vector<SpriteRef>& SpriteList() const { return Members_; }

private:
    friend class Sprite;
    CollisionID() = default;
    std::vector<SpriteRef> Members_;
};

class CollisionSet {
public:
    CollisionIDRef CID1, CID2; // possibly the same group
    int CID1_Shape = SHAPE_IMAGE, CID2_Shape = SHAPE_IMAGE;

    // Declares that members of group1 collide with members of group2 (appended to CollisionSets).
    static void Create(const CollisionIDRef& group1, const CollisionIDRef& group2, int shape1, int shape2);
    // Fills PairList: for every set in creation order, every member a of CID1 with every member b
    // of CID2 (within one group each unordered pair once).
    static void ListPairs();
    static const std::vector<CollisionSet>& CollisionSets();
    // Forgets every set (tests).
    static void ResetAll();
};

class CollisionPair {
public:
    SpriteRef Sprite1_, Sprite2_;
    int Shape1_ = SHAPE_IMAGE, Shape2_ = SHAPE_IMAGE;

    // Appends a pair to PairList.
    static void Create(const SpriteRef& a, const SpriteRef& b, int shapeA, int shapeB);
    // The pairs of the running pass. The storage is kept between passes, so a steady game
    // allocates nothing here.
    static std::vector<CollisionPair>& PairList();
};

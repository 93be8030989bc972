#pragma once
// Sprite: the node of every visible object. A sprite shows one frame of an image with its own
// colour, alpha, blend mode, fog overlay, drop shadow, position, rotation, scale, viewport, draw
// order and hidden flag. Sprites form a tree through an optional parent; the inherited (screen)
// values are computed on demand through the whole parent chain, each level under its own flags.
// A sprite without an image is an undrawn pivot carrying a transform for its children.
//
// Ownership: sprites are held through SpriteRef. The program-wide SpriteList keeps every sprite
// alive from Create (or Copy) until Free; Free unlinks it, and a freed sprite that is still
// referenced elsewhere stays a valid object whose Link_ is none (freeing it again is fatal).
// The parent reference is strong (a child keeps its parent object alive) but the parent does not
// own its children: they are found by scanning SpriteList. Free of a parent frees its subtree.
//
// Arguments named `i` choose own values (0) or inherited values (1); any other value acts as 0
// unless stated. Units: positions in playfield units, angles in degrees clockwise on screen,
// colours 0..255 per channel (above 255 draws an additive overbright pass), alpha 0..1, times in
// milliseconds, velocities in units per second.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/media.h"
#include "sprites/intrusive_list.h"

class Sprite;
class Animate;
struct AnimateBySprite;
class Path;
class CollisionID;
using SpriteRef = std::shared_ptr<Sprite>;
using PathRef = std::shared_ptr<Path>;
using CollisionIDRef = std::shared_ptr<CollisionID>;
// Called with the sprite itself first and the sprite it hit second; the result is ignored. It may
// change or free either sprite.
using CollisionFunction = std::function<int(const SpriteRef& self, const SpriteRef& other)>;

class alignas(64) Sprite : public std::enable_shared_from_this<Sprite> {
public:
    // Inheritance flags (combine by addition). A set bit switches inheritance of that property
    // off, except PARENT_VIEWPORT, which gives the viewport in the parent's space.
    static constexpr int NO_INHERIT_POSITION = 1;
    static constexpr int NO_INHERIT_ROTATION = 2;
    static constexpr int NO_INHERIT_SCALE = 4;
    static constexpr int NO_INHERIT_COLOR = 8;
    static constexpr int NO_INHERIT_ALPHA = 16;
    static constexpr int NO_INHERIT_ORDER = 32;
    static constexpr int NO_INHERIT_HIDDEN = 64;
    static constexpr int NO_INHERIT_FOG = 128;
    static constexpr int PARENT_VIEWPORT = 256;

    // Only Create and Copy can make the key: every sprite is linked into SpriteList by them.
    class ConstructionKey {
        friend class Sprite;
        ConstructionKey() = default;
    };
    explicit Sprite(ConstructionKey);
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;
    ~Sprite();

    // [SECTION] Life cycle

    // A new sprite at the end of SpriteList with blend, colour, alpha, scale and viewport taken
    // from the current drawing state; then SetParent(parent, 0), SetImage(image), SetOrder(order).
    // With an image the radius becomes min(width, height) / 2 (integer division).
    static SpriteRef Create(const Media::ImageRef& image, int order, const SpriteRef& parent);
    // A new sprite (own node at the end of SpriteList) with every field copied except the node.
    // Children and animations are not copied; the copy does not join the collision group's list.
    SpriteRef Copy(int unused);
    // Ends the sprite: its animations, then its children (recursively), then it leaves its parent,
    // its collision group and SpriteList. A second Free is fatal.
    void Free();
    void FreeChildren();
    // Frees every sprite in SpriteList whose name equals `name` exactly.
    static void FreeByName(const std::string& name);
    // True until Free: the sprite still has its node in SpriteList.
    bool Linked() const { return Link_.Linked; }

    // [SECTION] Setters

    void SetName(const std::string& name) { Name_ = name; }
    // keep = 1: the sprite stays where it is drawn (position, rotation, scale and alpha are
    // converted into the new parent's space); any other value only relinks.
    void SetParent(const SpriteRef& parent, int keep);
    void SetOrder(float order) { Order_ = order; }
    // Also resets the frame to 0.
    void SetImage(const Media::ImageRef& image);
    // A function that draws the sprite in place of its passes, for a picture the media layer
    // composes of other pictures (Media::DrawStack). Draw and DrawAll call it at the sprite's turn
    // while the sprite is shown, with or without an image, inside a saved drawing state; it may
    // change no more of that state than a sprite's passes do (alpha, blend, colour, rotation,
    // scale, viewport). Null (the default) draws the image.
    using DrawFunction = void (*)(const Sprite& sprite);
    void SetDrawing(DrawFunction draw) { Drawing_ = draw; }
    void SetFrame(float frame) { Frame_ = frame; }
    void SetBlend(int blend) { Blend_ = blend; }
    void SetColor(float r, float g, float b);
    void SetColorR(float r) { R_ = r; }
    void SetColorG(float g) { G_ = g; }
    void SetColorB(float b) { B_ = b; }
    void SetAlpha(float alpha) { Alpha_ = alpha; }
    void SetFog(float fog) { Fog_ = fog; }
    void SetFogColor(float r, float g, float b);
    void SetFogR(float r) { FogR_ = r; }
    void SetFogG(float g) { FogG_ = g; }
    void SetFogB(float b) { FogB_ = b; }
    // world = 1: (x, y) is a screen-space position (the sprite ends with X(1), Y(1) = x, y).
    void SetPosition(float x, float y, int world);
    void SetX(float x, int world);
    void SetY(float y, int world);
    void SetRotation(float degrees) { Rotation_ = degrees; }
    void SetScale(float scale);
    void SetScale2(float scaleX, float scaleY);
    void SetScaleX(float scaleX) { ScaleX_ = scaleX; }
    void SetScaleY(float scaleY) { ScaleY_ = scaleY; }
    void SetViewport(float x, float y, float width, float height);
    void SetFlags(int flags) { Flags_ = flags; } // replaces all bits
    // While a path is set, the own x is the distance along it and the own y the sideways offset.
    // path none with keep = 1 keeps the sprite where it is drawn; otherwise nothing is converted.
    void SetPath(const PathRef& path, int keep);
    // Shadow offset distance × (cos angle, sin angle) in the parent's orientation; alpha is a
    // factor on the sprite's alpha (0 = no shadow).
    void SetShadow(float distance, float angleDegrees, float alpha);
    void SetShadowVector(float vx, float vy);
    void SetShadowAlpha(float alpha) { ShadowAlpha_ = alpha; }
    void SetShadowDistance(float distance);
    void SetShadowAngle(float angleDegrees);

    // Physics setters (see also physics.h).
    float SetRadius(float radius); // returns 0
    void SetMass(float mass) { Mass_ = mass; }
    void SetElasticity(float elasticity) { Elasticity_ = elasticity; }
    void SetAirFriction(float friction) { AirFriction_ = friction; }       // stored only
    void SetGroundFriction(float friction) { GroundFriction_ = friction; } // stored only
    // Velocity (vx × speed, vy × speed) in the parent's space, units per second.
    void SetVelocity(float vx, float vy, float speed);
    void SetVx(float vx) { Vx_ = vx; }
    void SetVy(float vy) { Vy_ = vy; }
    // Rescales a non-zero velocity to length `speed`; a zero velocity becomes (speed, 0).
    void SetSpeed(float speed);
    // Keeps the speed, points the velocity along (dx, dy) (expected to be a unit vector).
    void SetDirection(float dx, float dy);
    void SetCollisionFunction(CollisionFunction function) { OnCollision_ = std::move(function); }
    // Leaves the old group (if any) and joins `group` (must not be null).
    void SetCollisionID(const CollisionIDRef& group);

    // [SECTION] Getters

    const std::string& Name() const { return Name_; }
    const SpriteRef& Parent() const { return Parent_; }
    float Order(int i) const;
    const Media::ImageRef& Image() const { return Image_; }
    // i = 0: the stored frame; otherwise clamped to the image's frames.
    float Frame(int i) const;
    int Blend() const { return Blend_; }
    float R(int i) const;
    float G(int i) const;
    float B(int i) const;
    float Alpha(int i) const;
    float Fog(int i) const;
    float FogR(int) const { return FogR_; }
    float FogG(int) const { return FogG_; }
    float FogB(int) const { return FogB_; }
    float X(int i) const;
    float Y(int i) const;
    // Corners of the image rectangle (top-left, top-right, bottom-right, bottom-left), in the
    // parent's space for i = 0 and on screen otherwise. Need an image.
    float X1(int i) const;
    float Y1(int i) const;
    float X2(int i) const;
    float Y2(int i) const;
    float X3(int i) const;
    float Y3(int i) const;
    float X4(int i) const;
    float Y4(int i) const;
    float Rotation(int i) const;
    float ScaleX(int i) const;
    float ScaleY(int i) const;
    // i = 1 with a parent: the own velocity turned by the parent's rotation plus its velocity.
    float Vx(int i) const;
    float Vy(int i) const;
    float ViewportX(int i) const;
    float ViewportY(int i) const;
    float ViewportWidth(int i) const;
    float ViewportHeight(int i) const;
    int Flags() const { return Flags_; }
    const PathRef& Path() const { return Path_; }
    float Radius(int) const { return Radius_; }
    // Image size × |scale|. Need an image.
    float Width(int i) const;
    float Height(int i) const;
    int Hidden(int i) const;
    float Speed() const;
    float LastX() const { return LastX_; }
    float LastY() const { return LastY_; }
    float Distance(const Sprite& other, int i) const;
    float Mass() const { return Mass_; }
    float Elasticity() const { return Elasticity_; }
    float ShadowAlpha() const { return ShadowAlpha_; }
    float ShadowVx() const { return ShadowVx_; }
    float ShadowVy() const { return ShadowVy_; }
    const CollisionIDRef& GetCollisionID() const { return CollisionID_; }

    // [SECTION] Local changes

    void Translate(float dx, float dy);
    void Rotate(float degrees) { Rotation_ += degrees; }
    void Show() { Hidden_ = 0; }
    void Hide() { Hidden_ = 1; }

    // [SECTION] Drawing, ordering and overlap tests

    // Draws this sprite: shadow, main, overbright and fog passes, or its drawing function; the
    // drawing state is restored.
    void Draw();
    // Appends the passes Draw makes of frame 0, the main one and, for a colour above 255, the
    // overbright one (not the shadow and fog passes), placed for painting into a picture whose
    // top-left corner is at (left, top) in the parent's space (Media::PaintPasses). Nothing for
    // a sprite without an image.
    void AddPaintPasses(std::vector<Media::PaintPass>& passes, float left, float top) const;
    // Sorts SpriteList by inherited order (stable: equal orders keep last frame's order, newer
    // sprites behind older ones) and draws every sprite, first to last.
    static void DrawAll();
    // The sort step of DrawAll alone.
    static void SortByOrder();
    // -1, 0 or 1 by Order(1); 0 when either is not a number.
    static int CompareOrder(const Sprite& a, const Sprite& b);
    // Pixel-exact overlap of the two sprites' current frames; 0 if either has no image.
    int Overlaps(const Sprite& other) const;
    // Does the rectangle (x, y, width, height) rotated by `rotation` about its top-left corner
    // touch this sprite's picture (box 0) or its bounding box (box 1)? Needs an image.
    int OverlapsRect(float x, float y, float width, float height, float rotation, int box) const;
    int OverlapsPoint(float x, float y, int box) const;

    // [SECTION] Transforms between spaces (from/to: a sprite's local space or null = screen);
    // results in TFormedX(), TFormedY().

    static void TFormPoint(float x, float y, const Sprite* from, const Sprite* to);
    static void TFormVector(float x, float y, const Sprite* from, const Sprite* to);
    static void TFormNormal(float x, float y, const Sprite* from, const Sprite* to);
    static float TFormedX() { return TFormedX_; }
    static float TFormedY() { return TFormedY_; }

    // [SECTION] Animation (records in animate.h). Times in ms; delay waits before the start,
    // startAge is the age the animation starts with. Flags and selectors: Animate::LOOP …,
    // Animate::TRANSFORM_ALL ….

    void AnimatePosition(float startX, float startY, float endX, float endY, int time, int flags = 0,
                         int delay = 0, int startAge = 0, const std::string& name = "");
    void AnimateX(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateY(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateScale(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateScaleX(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateScaleY(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateRotation(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateColor(float r1, float g1, float b1, float r2, float g2, float b2, int time, int flags = 0,
                      int delay = 0, int startAge = 0);
    void AnimateAlpha(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateFog(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void AnimateFogColor(float r1, float g1, float b1, float r2, float g2, float b2, int time, int flags = 0,
                         int delay = 0, int startAge = 0);
    // Shows frames start..end for equal shares of the time; a non-null image is put on the sprite
    // whenever a value is applied.
    void AnimateFrame(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0,
                      const Media::ImageRef& image = nullptr);
    void AnimateOrder(float start, float end, int time, int flags = 0, int delay = 0, int startAge = 0);
    void SetAnimationSpeed(float speed, int selector);
    void StopAnimating(int selector);
    // 1 if a record of this sprite matches the selector (also waiting or paused ones).
    int Animating(int selector) const;

    // [SECTION] Physics (physics.h has the pass itself)

    // a := amount, × TimeStep / 1000 unless flags bit 1; velocity += (fx, fy) × a, ÷ mass unless
    // flags bit 2.
    void ApplyForce(float fx, float fy, float amount, int flags);
    // (x, y) in the sprite's own orientation, normalised, turned into the parent's space.
    void ApplyThrust(float x, float y, float amount, int flags);
    // Inverse-square push away from `other` (toward it for negative strength); full strength
    // within `range`.
    void ApplyField(const Sprite& other, float range, float strength, int flags);
    // Unit vector from this sprite to other, own coordinates.
    void SpriteDirection(const Sprite& other, float& dx, float& dy) const;
    // Direction from other to this sprite, degrees in (0, 360].
    float SpriteAngle(const Sprite& other) const;
    // i ≠ 0: between effective positions; i = 0: other carried into this sprite's parent space.
    float SpriteDistance(const Sprite& other, int i) const;

    // [SECTION] Class-wide state and the frame

    // Offset added to every drawing position and viewport (the letterbox offset).
    static void SetOrigin(float x, float y);
    static float OriginX() { return OriginX_; }
    static float OriginY() { return OriginY_; }
    // Length of the current frame in ms, read by animations and physics.
    static void SetTimeStep(int ms) { TimeStep_ = ms; }
    static int TimeStep() { return TimeStep_; }
    // Records last positions, then Animate::UpdateAll, then Physics::UpdateAll.
    static void Update();
    // All live sprites in draw order (re-sorted by DrawAll).
    static IntrusiveList<Sprite>& SpriteList();
    // Frees every sprite and clears the engine's class-wide state (sprites, animations,
    // collision sets, origin, time step, render states). For tests and benchmarks.
    static void ResetEngine();

    ListLink<Sprite> Link_; // node in SpriteList; Linked is false after Free

private:
    friend class Animate;
    friend class Physics;

    void LinkIntoList(SpriteRef self);
    // Screen position, rotation and scale in one walk up the chain.
    struct WorldTransform {
        float X, Y, Rotation, ScaleX, ScaleY;
    };
    WorldTransform World() const;
    void OwnPathPosition(float& x, float& y) const;
    // Corner 1..4 of the image rectangle into TFormedX_, TFormedY_.
    void Corner(int corner, int i) const;
    // The shadow, main, overbright and fog passes of Draw, without saving the drawing state.
    void DrawPasses();
    // Relinks the parent without converting anything (keeps the parents' child counts).
    void ChangeParent(const SpriteRef& parent);
    void LeaveCollisionGroup();

    // Fields are grouped by use rather than in the order of the data model: the per-frame passes
    // (last positions, integration, sort, draw) each touch one or two cache lines of a sprite.
    float X_ = 0, Y_ = 0;
    float LastX_ = 0, LastY_ = 0;
    float Vx_ = 0, Vy_ = 0;

    SpriteRef Parent_;
    float Order_ = 0;
    float SortKey_ = 0; // Order(1) captured for the sort in DrawAll
    int Flags_ = 0;
    int Hidden_ = 0;
    Media::ImageRef Image_;
    DrawFunction Drawing_ = nullptr;
    PathRef Path_;
    float Frame_ = 0;
    int Blend_ = Media::ALPHABLEND;
    float R_ = 255, G_ = 255, B_ = 255;
    float Alpha_ = 1;
    float Rotation_ = 0;
    float ScaleX_ = 1, ScaleY_ = 1;
    float ViewportX_ = 0, ViewportY_ = 0, ViewportWidth_ = 0, ViewportHeight_ = 0;
    float Fog_ = 0;
    float ShadowAlpha_ = 0;
    float ShadowVx_ = 0, ShadowVy_ = 0;
    float FogR_ = 255, FogG_ = 255, FogB_ = 255;

    SpriteRef Self_;     // the list's owning reference while linked
    int ChildCount_ = 0; // sprites whose parent is this one (skips needless scans)
    // This sprite's records, in creation order (the same records as in AnimationList), so the
    // per-sprite queries and stops need not scan every record.
    IntrusiveList<Animate, AnimateBySprite> Animations_;
    std::string Name_;
    float Mass_ = 1;
    float Elasticity_ = 1;
    float AirFriction_ = 0, GroundFriction_ = 0;
    float MaxSpeed_ = 0; // never applied: speed is unlimited
    float Radius_ = 0;
    CollisionIDRef CollisionID_;
    CollisionFunction OnCollision_;

    static float OriginX_, OriginY_;
    static int TimeStep_;
    static float TFormedX_, TFormedY_;
};

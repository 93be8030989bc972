// [SECTION] index: list and life cycle, setters, inherited getters, transforms, drawing, overlap
// tests, the frame. Animation operations live in animate.cpp, physics operations in physics.cpp.
#include "sprites/sprite.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "media/fatal_error.h"
#include "sprites/animate.h"
#include "sprites/collision_group.h"
#include "sprites/path.h"
#include "sprites/physics.h"
#include "sprites/render_state.h"
#include "sprites/sort_list.h"
#include "sprites/sprite_internal.h"

float Sprite::OriginX_ = 0;
float Sprite::OriginY_ = 0;
int Sprite::TimeStep_ = 0;
float Sprite::TFormedX_ = 0;
float Sprite::TFormedY_ = 0;

namespace {

IntrusiveList<Sprite> SpriteListStorage;

// The list's references to freed sprites. A sprite may be freed from inside its own operations
// (an animation's end action, a collision callback), so the last reference is dropped only at
// the start of the next frame, when no pass and no operation of it can be running.
std::vector<SpriteRef> FreedSprites;

constexpr uint32_t OVERLAP_LAYER = 0x80000000u; // collision layer 32

int CompareKeys(float a, float b) {
    if (a < b) return -1;
    if (a > b) return 1;
    return 0; // equal, or either is not a number
}

} // namespace

namespace SpriteMath {

void RotateDegrees(float degrees, float& x, float& y) {
    if (degrees == 0) return;
    const float radians = degrees * (3.14159265358979f / 180.0f);
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float rx = x * c - y * s;
    y = x * s + y * c;
    x = rx;
}

int TruncateToInt(float value) {
    if (!(value == value)) return 0;
    if (value >= 2147483520.0f) return INT_MAX;
    if (value <= -2147483648.0f) return INT_MIN;
    return int(value);
}

} // namespace SpriteMath

using SpriteMath::RotateDegrees;
using SpriteMath::TruncateToInt;

// [SECTION] List and life cycle

IntrusiveList<Sprite>& Sprite::SpriteList() {
    return SpriteListStorage;
}

Sprite::Sprite(ConstructionKey) {
    Blend_ = Media::GetBlend();
    int r = 0, g = 0, b = 0;
    Media::GetColor(r, g, b);
    R_ = float(r);
    G_ = float(g);
    B_ = float(b);
    Alpha_ = Media::GetAlpha();
    Media::GetScale(ScaleX_, ScaleY_);
    int vx = 0, vy = 0, vw = 0, vh = 0;
    Media::GetViewport(vx, vy, vw, vh);
    ViewportX_ = float(vx);
    ViewportY_ = float(vy);
    ViewportWidth_ = float(vw);
    ViewportHeight_ = float(vh);
}

Sprite::~Sprite() {
    // A freed sprite may have been given a parent again; the count only spares scans, but keep it true.
    if (Parent_) --Parent_->ChildCount_;
}

void Sprite::LinkIntoList(SpriteRef self) {
    Self_ = std::move(self);
    SpriteListStorage.PushBack(*this);
}

SpriteRef Sprite::Create(const Media::ImageRef& image, int order, const SpriteRef& parent) {
    SpriteRef sprite = std::make_shared<Sprite>(ConstructionKey());
    sprite->LinkIntoList(sprite);
    sprite->SetParent(parent, 0);
    sprite->SetImage(image);
    sprite->SetOrder(float(order));
    if (image) sprite->Radius_ = float(std::min(image->Width(), image->Height()) / 2);
    return sprite;
}

SpriteRef Sprite::Copy(int) {
    SpriteRef copy = std::make_shared<Sprite>(ConstructionKey());
    copy->LinkIntoList(copy);
    copy->Name_ = Name_;
    copy->SetParent(Parent_, 0);
    copy->Order_ = Order_;
    copy->Image_ = Image_;
    copy->Frame_ = Frame_;
    copy->Blend_ = Blend_;
    copy->R_ = R_;
    copy->G_ = G_;
    copy->B_ = B_;
    copy->Alpha_ = Alpha_;
    copy->Fog_ = Fog_;
    copy->FogR_ = FogR_;
    copy->FogG_ = FogG_;
    copy->FogB_ = FogB_;
    copy->X_ = X_;
    copy->Y_ = Y_;
    copy->Rotation_ = Rotation_;
    copy->ScaleX_ = ScaleX_;
    copy->ScaleY_ = ScaleY_;
    copy->ViewportX_ = ViewportX_;
    copy->ViewportY_ = ViewportY_;
    copy->ViewportWidth_ = ViewportWidth_;
    copy->ViewportHeight_ = ViewportHeight_;
    copy->Hidden_ = Hidden_;
    copy->Flags_ = Flags_;
    copy->Path_ = Path_;
    copy->ShadowAlpha_ = ShadowAlpha_;
    copy->ShadowVx_ = ShadowVx_;
    copy->ShadowVy_ = ShadowVy_;
    copy->Vx_ = Vx_;
    copy->Vy_ = Vy_;
    copy->Mass_ = Mass_;
    copy->Elasticity_ = Elasticity_;
    copy->AirFriction_ = AirFriction_;
    copy->GroundFriction_ = GroundFriction_;
    copy->MaxSpeed_ = MaxSpeed_;
    copy->Radius_ = Radius_;
    copy->CollisionID_ = CollisionID_;
    copy->OnCollision_ = OnCollision_;
    copy->LastX_ = LastX_;
    copy->LastY_ = LastY_;
    return copy;
}

void Sprite::Free() {
    if (!Link_.Linked) FatalError("Error in Sprite.Free() : Attempt to free sprite '" + Name_ + "' twice!");
    StopAnimating(Animate::TRANSFORM_ALL);
    FreeChildren();
    SetParent(nullptr, 0);
    // A freed sprite leaves its collision group too: left there it would go on colliding unseen.
    LeaveCollisionGroup();
    SpriteListStorage.Remove(*this);
    FreedSprites.push_back(std::move(Self_));
}

void Sprite::FreeChildren() {
    if (ChildCount_ == 0) return;
    for (IntrusiveList<Sprite>::Pass pass(SpriteListStorage); Sprite* sprite = pass.Next();) {
        if (sprite->Parent_.get() == this) sprite->Free();
    }
}

void Sprite::FreeByName(const std::string& name) {
    for (IntrusiveList<Sprite>::Pass pass(SpriteListStorage); Sprite* sprite = pass.Next();) {
        if (sprite->Name_ == name) sprite->Free();
    }
}

// [SECTION] Setters

void Sprite::SetParent(const SpriteRef& parentArgument, int keep) {
    const SpriteRef parent = parentArgument; // the argument may be a reference to Parent_ itself
    if (keep == 1) {
        SetAlpha(Alpha(1));
        SetPosition(X(1), Y(1), 0);
        SetRotation(Rotation(1));
        SetScale2(ScaleX(1), ScaleY(1));
        ChangeParent(nullptr);
        if (parent) {
            // A divisor of 0 cannot be undone; the baked value is kept instead of an infinity.
            auto divide = [](float value, float divisor) { return divisor != 0 ? value / divisor : value; };
            const WorldTransform p = parent->World();
            float lx = X(1) - p.X;
            float ly = Y(1) - p.Y;
            RotateDegrees(-p.Rotation, lx, ly);
            SetPosition(divide(lx, p.ScaleX), divide(ly, p.ScaleY), 0);
            SetRotation(Rotation_ - p.Rotation);
            SetAlpha(divide(Alpha_, parent->Alpha(1)));
            SetScale2(divide(ScaleX_, p.ScaleX), divide(ScaleY_, p.ScaleY));
        }
    }
    ChangeParent(parent);
}

void Sprite::ChangeParent(const SpriteRef& parent) {
    if (Parent_ == parent) return;
    if (Parent_) --Parent_->ChildCount_;
    Parent_ = parent;
    if (Parent_) ++Parent_->ChildCount_;
}

void Sprite::SetImage(const Media::ImageRef& image) {
    Image_ = image;
    Frame_ = 0;
}

void Sprite::SetColor(float r, float g, float b) {
    R_ = r;
    G_ = g;
    B_ = b;
}

void Sprite::SetFogColor(float r, float g, float b) {
    FogR_ = r;
    FogG_ = g;
    FogB_ = b;
}

void Sprite::SetPosition(float x, float y, int world) {
    if (world == 1) {
        const SpriteRef parent = Parent_;
        SetParent(nullptr, 1);
        X_ = x;
        Y_ = y;
        SetParent(parent, 1);
    } else {
        X_ = x;
        Y_ = y;
    }
}

void Sprite::SetX(float x, int world) {
    SetPosition(x, Y(world), world);
}
void Sprite::SetY(float y, int world) {
    SetPosition(X(world), y, world);
}

void Sprite::SetScale(float scale) {
    ScaleX_ = scale;
    ScaleY_ = scale;
}

void Sprite::SetScale2(float scaleX, float scaleY) {
    ScaleX_ = scaleX;
    ScaleY_ = scaleY;
}

void Sprite::SetViewport(float x, float y, float width, float height) {
    ViewportX_ = x;
    ViewportY_ = y;
    ViewportWidth_ = width;
    ViewportHeight_ = height;
}

void Sprite::SetPath(const PathRef& path, int keep) {
    if (!path && keep == 1) {
        const float x = X(1);
        const float y = Y(1);
        Path_ = nullptr;
        SetPosition(x, y, 1);
    } else {
        Path_ = path;
    }
}

void Sprite::SetShadow(float distance, float angleDegrees, float alpha) {
    const float radians = angleDegrees * (3.14159265358979f / 180.0f);
    ShadowVx_ = distance * std::cos(radians);
    ShadowVy_ = distance * std::sin(radians);
    ShadowAlpha_ = alpha;
}

void Sprite::SetShadowVector(float vx, float vy) {
    ShadowVx_ = vx;
    ShadowVy_ = vy;
}

void Sprite::SetShadowDistance(float distance) {
    const float length = std::sqrt(ShadowVx_ * ShadowVx_ + ShadowVy_ * ShadowVy_);
    if (length == 0) return; // no direction to keep
    ShadowVx_ = ShadowVx_ / length * distance;
    ShadowVy_ = ShadowVy_ / length * distance;
}

void Sprite::SetShadowAngle(float angleDegrees) {
    const float length = std::sqrt(ShadowVx_ * ShadowVx_ + ShadowVy_ * ShadowVy_);
    const float radians = angleDegrees * (3.14159265358979f / 180.0f);
    ShadowVx_ = length * std::cos(radians);
    ShadowVy_ = length * std::sin(radians);
}

void Sprite::Translate(float dx, float dy) {
    X_ += dx;
    Y_ += dy;
}

// [SECTION] Inherited getters. Nothing is cached: every call walks the chain up to the root.

float Sprite::Order(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_ORDER)) return Order_ + Parent_->Order(1);
    return Order_;
}

float Sprite::Frame(int i) const {
    if (i == 0 || !Image_) return Frame_;
    return std::clamp(Frame_, 0.0f, float(std::max(Image_->Frames() - 1, 0)));
}

float Sprite::R(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_COLOR)) return R_ * Parent_->R(1) / 255.0f;
    return R_;
}

float Sprite::G(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_COLOR)) return G_ * Parent_->G(1) / 255.0f;
    return G_;
}

float Sprite::B(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_COLOR)) return B_ * Parent_->B(1) / 255.0f;
    return B_;
}

float Sprite::Alpha(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_ALPHA)) return Alpha_ * Parent_->Alpha(1);
    return Alpha_;
}

float Sprite::Fog(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_FOG)) return Fog_ * Parent_->Fog(1);
    return Fog_;
}

float Sprite::Rotation(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_ROTATION)) return Rotation_ + Parent_->Rotation(1);
    return Rotation_;
}

float Sprite::ScaleX(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_SCALE)) return ScaleX_ * Parent_->ScaleX(1);
    return ScaleX_;
}

float Sprite::ScaleY(int i) const {
    if (i == 1 && Parent_ && !(Flags_ & NO_INHERIT_SCALE)) return ScaleY_ * Parent_->ScaleY(1);
    return ScaleY_;
}

int Sprite::Hidden(int i) const {
    if (i == 1 && Hidden_ == 0 && Parent_ && !(Flags_ & NO_INHERIT_HIDDEN)) return Parent_->Hidden(1);
    return Hidden_;
}

void Sprite::OwnPathPosition(float& x, float& y) const {
    if (Path_) {
        Path_->Transform(X_, Y_, x, y);
    } else {
        x = X_;
        y = Y_;
    }
}

Sprite::WorldTransform Sprite::World() const {
    WorldTransform w;
    OwnPathPosition(w.X, w.Y);
    w.Rotation = Rotation_;
    w.ScaleX = ScaleX_;
    w.ScaleY = ScaleY_;
    if (!Parent_) return w;
    const WorldTransform p = Parent_->World();
    if (!(Flags_ & NO_INHERIT_ROTATION)) w.Rotation += p.Rotation;
    if (!(Flags_ & NO_INHERIT_SCALE)) {
        w.ScaleX *= p.ScaleX;
        w.ScaleY *= p.ScaleY;
    }
    if (!(Flags_ & NO_INHERIT_POSITION)) {
        w.X *= p.ScaleX;
        w.Y *= p.ScaleY;
        RotateDegrees(p.Rotation, w.X, w.Y);
        w.X += p.X;
        w.Y += p.Y;
    }
    return w;
}

float Sprite::X(int i) const {
    return i == 1 ? World().X : X_;
}
float Sprite::Y(int i) const {
    return i == 1 ? World().Y : Y_;
}

float Sprite::ViewportX(int i) const {
    if (i == 1 && Parent_ && (Flags_ & PARENT_VIEWPORT))
        return ViewportX_ * Parent_->ScaleX(1) + Parent_->X(1);
    return ViewportX_;
}

float Sprite::ViewportY(int i) const {
    if (i == 1 && Parent_ && (Flags_ & PARENT_VIEWPORT))
        return ViewportY_ * Parent_->ScaleY(1) + Parent_->Y(1);
    return ViewportY_;
}

float Sprite::ViewportWidth(int i) const {
    if (i == 1 && Parent_ && (Flags_ & PARENT_VIEWPORT)) return ViewportWidth_ * Parent_->ScaleX(1);
    return ViewportWidth_;
}

float Sprite::ViewportHeight(int i) const {
    if (i == 1 && Parent_ && (Flags_ & PARENT_VIEWPORT)) return ViewportHeight_ * Parent_->ScaleY(1);
    return ViewportHeight_;
}

float Sprite::Width(int i) const {
    return Image_ ? float(Image_->Width()) * std::fabs(ScaleX(i)) : 0.0f;
}
float Sprite::Height(int i) const {
    return Image_ ? float(Image_->Height()) * std::fabs(ScaleY(i)) : 0.0f;
}

float Sprite::Distance(const Sprite& other, int i) const {
    const float dx = X(i) - other.X(i);
    const float dy = Y(i) - other.Y(i);
    return std::sqrt(dx * dx + dy * dy);
}

void Sprite::Corner(int corner, int i) const {
    const float hx = Image_ ? Image_->HandleX() : 0.0f;
    const float hy = Image_ ? Image_->HandleY() : 0.0f;
    const bool right = corner == 2 || corner == 3;
    const bool bottom = corner == 3 || corner == 4;
    const float x = -hx + (right ? Width(0) : 0.0f);
    const float y = -hy + (bottom ? Height(0) : 0.0f);
    TFormPoint(x, y, this, i == 0 ? Parent_.get() : nullptr);
}

float Sprite::X1(int i) const {
    Corner(1, i);
    return TFormedX_;
}
float Sprite::Y1(int i) const {
    Corner(1, i);
    return TFormedY_;
}
float Sprite::X2(int i) const {
    Corner(2, i);
    return TFormedX_;
}
float Sprite::Y2(int i) const {
    Corner(2, i);
    return TFormedY_;
}
float Sprite::X3(int i) const {
    Corner(3, i);
    return TFormedX_;
}
float Sprite::Y3(int i) const {
    Corner(3, i);
    return TFormedY_;
}
float Sprite::X4(int i) const {
    Corner(4, i);
    return TFormedX_;
}
float Sprite::Y4(int i) const {
    Corner(4, i);
    return TFormedY_;
}

// [SECTION] Transforms between spaces

void Sprite::TFormPoint(float x, float y, const Sprite* from, const Sprite* to) {
    if (from != to) {
        if (from) {
            const WorldTransform f = from->World();
            x *= f.ScaleX;
            y *= f.ScaleY;
            RotateDegrees(f.Rotation, x, y);
            x += f.X;
            y += f.Y;
        }
        if (to) {
            const WorldTransform t = to->World();
            x -= t.X;
            y -= t.Y;
            RotateDegrees(-t.Rotation, x, y);
            x /= t.ScaleX;
            y /= t.ScaleY;
        }
    }
    TFormedX_ = x;
    TFormedY_ = y;
}

void Sprite::TFormVector(float x, float y, const Sprite* from, const Sprite* to) {
    if (from != to) {
        if (from) RotateDegrees(from->Rotation(1), x, y);
        if (to) RotateDegrees(-to->Rotation(1), x, y);
    }
    TFormedX_ = x;
    TFormedY_ = y;
}

void Sprite::TFormNormal(float x, float y, const Sprite* from, const Sprite* to) {
    TFormVector(x, y, from, to);
    if (from == to) return;
    const float length = std::sqrt(TFormedX_ * TFormedX_ + TFormedY_ * TFormedY_);
    if (length == 0) return; // a zero vector has no direction; it stays (0, 0)
    TFormedX_ /= length;
    TFormedY_ /= length;
}

// [SECTION] Drawing

void Sprite::Draw() {
    if ((!Image_ && !Drawing_) || Hidden(1) != 0) return;
    RenderState::Push();
    DrawPasses();
    RenderState::Pop();
}

// Sets alpha, blend, colour, rotation, scale and viewport before the main pass, so whatever state
// an earlier sprite's passes left does not matter; only the bracket around it restores state.
void Sprite::DrawPasses() {
    if (Drawing_) {
        Drawing_(*this);
        return;
    }
    const float alpha = Alpha(1);
    const float r = R(1), g = G(1), b = B(1);
    const WorldTransform w = World();
    const int frame = TruncateToInt(Frame(1));
    const int red = TruncateToInt(r), green = TruncateToInt(g), blue = TruncateToInt(b);
    Media::SetAlpha(alpha);
    Media::SetBlend(Blend_);
    Media::SetColor(red, green, blue);
    Media::SetRotation(w.Rotation);
    Media::SetScale(w.ScaleX, w.ScaleY);
    const int vx = TruncateToInt(OriginX_ + ViewportX(1)), vy = TruncateToInt(OriginY_ + ViewportY(1));
    const int vw = TruncateToInt(ViewportWidth(1)), vh = TruncateToInt(ViewportHeight(1));
    int cx = 0, cy = 0, cw = 0, ch = 0;
    Media::GetViewport(cx, cy, cw, ch);
    if (vx != cx || vy != cy || vw != cw || vh != ch) Media::SetViewport(vx, vy, vw, vh); // most share one
    const float x = OriginX_ + w.X;
    const float y = OriginY_ + w.Y;

    if (alpha * ShadowAlpha_ > 0) {
        Media::SetAlpha(alpha * ShadowAlpha_);
        Media::SetColor(0, 0, 0);
        TFormVector(ShadowVx_, ShadowVy_, Parent_.get(), nullptr);
        Media::DrawFrame(*Image_, x + TFormedX_, y + TFormedY_, frame);
        Media::SetAlpha(alpha);
        Media::SetColor(red, green, blue);
    }

    Media::DrawFrame(*Image_, x, y, frame);

    if (r > 255 || g > 255 || b > 255) {
        // Channels at or below 255 come out as 0 through the media layer's clamping.
        Media::SetColor(TruncateToInt(r - 255), TruncateToInt(g - 255), TruncateToInt(b - 255));
        Media::SetBlend(Media::LIGHTBLEND);
        Media::DrawFrame(*Image_, x, y, frame);
    }

    const float fog = Fog(1);
    if (fog > 0) {
        Media::SetColor(TruncateToInt(FogR_), TruncateToInt(FogG_), TruncateToInt(FogB_));
        Media::SetBlend(Media::ALPHABLEND);
        Media::FogModeOn();
        Media::SetAlpha(alpha * fog);
        Media::DrawFrame(*Image_, x, y, frame);
        Media::FogModeOff();
    }
}

void Sprite::AddPaintPasses(std::vector<Media::PaintPass>& passes, float left, float top) const {
    if (!Image_) return;
    // The corners where the drawing puts them: the picture about its handle, scaled, then
    // turned, at the sprite's place in the parent's space.
    float x = 0, y = 0;
    OwnPathPosition(x, y);
    auto place = [&](float lx, float ly, float& px, float& py) {
        px = lx * ScaleX_;
        py = ly * ScaleY_;
        RotateDegrees(Rotation_, px, py);
        px += x - left;
        py += y - top;
    };
    const float x0 = -Image_->HandleX(), y0 = -Image_->HandleY();
    Media::PaintPass pass;
    pass.Source = Image_;
    place(x0, y0, pass.TopLeftX, pass.TopLeftY);
    place(x0 + float(Image_->Width()), y0, pass.TopRightX, pass.TopRightY);
    place(x0, y0 + float(Image_->Height()), pass.BottomLeftX, pass.BottomLeftY);
    pass.Alpha = Alpha(1);
    pass.Blend = Blend_;
    // The channels as DrawPasses gives them to the media layer, which clamps them to 0..255.
    const float r = R(1), g = G(1), b = B(1);
    auto unit = [](float channel) { return float(std::clamp(TruncateToInt(channel), 0, 255)) / 255.0f; };
    pass.R = unit(r);
    pass.G = unit(g);
    pass.B = unit(b);
    passes.push_back(pass);
    if (r > 255 || g > 255 || b > 255) {
        pass.R = unit(r - 255);
        pass.G = unit(g - 255);
        pass.B = unit(b - 255);
        pass.Blend = Media::LIGHTBLEND;
        passes.push_back(pass);
    }
}

void Sprite::SortByOrder() {
    // The order cannot change during the sort, so each sprite's Order(1) is walked once here
    // instead of in every comparison. Most frames the list is still in order: with keys that are
    // all numbers a stable sort of a sorted list changes nothing, so it is skipped.
    bool sorted = true;
    float previous = -INFINITY;
    for (Sprite* sprite = SpriteListStorage.First(); sprite; sprite = sprite->Link_.Next) {
        const float key = sprite->Order(1);
        sprite->SortKey_ = key;
        sorted = sorted && key >= previous; // false for a NaN key too
        previous = key;
    }
    if (sorted) return;
    SortList(SpriteListStorage,
             [](const Sprite& a, const Sprite& b) { return CompareKeys(a.SortKey_, b.SortKey_); });
}

void Sprite::DrawAll() {
    SortByOrder();
    // One bracket around all sprites leaves the same state as one around each.
    RenderState::Push();
    for (Sprite* sprite = SpriteListStorage.First(); sprite; sprite = sprite->Link_.Next) {
        if ((sprite->Image_ || sprite->Drawing_) && sprite->Hidden(1) == 0) sprite->DrawPasses();
    }
    RenderState::Pop();
}

int Sprite::CompareOrder(const Sprite& a, const Sprite& b) {
    return CompareKeys(a.Order(1), b.Order(1));
}

// [SECTION] Overlap tests (playfield units, without the origin)

int Sprite::Overlaps(const Sprite& other) const {
    if (!Image_ || !other.Image_) return 0;
    const WorldTransform a = World();
    const WorldTransform b = other.World();
    const Media::Placement pa{float(TruncateToInt(a.X)), float(TruncateToInt(a.Y)), a.Rotation, a.ScaleX,
                              a.ScaleY};
    const Media::Placement pb{float(TruncateToInt(b.X)), float(TruncateToInt(b.Y)), b.Rotation, b.ScaleX,
                              b.ScaleY};
    return Media::ImagesOverlap(*Image_, TruncateToInt(Frame(1)), pa, *other.Image_,
                                TruncateToInt(other.Frame(1)), pb) != 0
               ? 1
               : 0;
}

int Sprite::OverlapsRect(float x, float y, float width, float height, float rotation, int box) const {
    if (!Image_) return 0;
    RenderState::Push();
    Media::ClearCollisions(OVERLAP_LAYER);
    const WorldTransform w = World();
    Media::SetRotation(w.Rotation);
    Media::SetScale(w.ScaleX, w.ScaleY);
    if (box == 0) {
        Media::CollideImage(*Image_, float(TruncateToInt(w.X)), float(TruncateToInt(w.Y)),
                            TruncateToInt(Frame(1)), OVERLAP_LAYER);
    } else {
        Media::CollideRect(float(TruncateToInt(w.X - Width(1) / 2)),
                           float(TruncateToInt(w.Y - Height(1) / 2)), float(Image_->Width()),
                           float(Image_->Height()), OVERLAP_LAYER);
    }
    Media::SetRotation(rotation);
    Media::SetScale(1, 1);
    const int hit =
        Media::CollideRectTest(float(TruncateToInt(x)), float(TruncateToInt(y)), float(TruncateToInt(width)),
                               float(TruncateToInt(height)), OVERLAP_LAYER);
    RenderState::Pop();
    return hit != 0 ? 1 : 0;
}

int Sprite::OverlapsPoint(float x, float y, int box) const {
    return OverlapsRect(x, y, 1, 1, 0, box);
}

// [SECTION] Class-wide state and the frame

void Sprite::SetOrigin(float x, float y) {
    OriginX_ = x;
    OriginY_ = y;
}

void Sprite::Update() {
    if (!SpriteListStorage.PassActive()) FreedSprites.clear();
    for (Sprite* sprite = SpriteListStorage.First(); sprite; sprite = sprite->Link_.Next) {
        sprite->LastX_ = sprite->X_;
        sprite->LastY_ = sprite->Y_;
    }
    Animate::UpdateAll();
    Physics::UpdateAll();
}

void Sprite::ResetEngine() {
    Animate::ResetAll();
    for (IntrusiveList<Sprite>::Pass pass(SpriteListStorage); Sprite* sprite = pass.Next();)
        sprite->Free();
    FreedSprites.clear();
    Physics::ResetAll();
    RenderState::Reset();
    OriginX_ = 0;
    OriginY_ = 0;
    TimeStep_ = 0;
    TFormedX_ = 0;
    TFormedY_ = 0;
}

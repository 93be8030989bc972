#pragma once
// Maps drawing units to the back buffer so that units stay square, centres the 800 × 500
// playfield and covers the bands outside it with black letterbox bars.

// Extent of drawing units across a back buffer of gw × gh pixels for a playfield of vw × vh:
// one dimension equals the playfield's, the other is at least as large.
struct LetterboxSize {
    int Width = 0;
    int Height = 0;
};
LetterboxSize ComputeLetterbox(int vw, int vh, int gw, int gh);

class ProjectionMatrix {
public:
    // The back buffer shows drawing units 0..width × 0..height, y growing downward; both the
    // scaled and the virtual size become (width, height). The drawing viewport becomes that whole
    // extent, so sprites made from now on (which take the current viewport) clip nothing of it.
    static void SetScale(int width, int height);
    // Fits a vw × vh playfield into the current back buffer with square units (ComputeLetterbox).
    static void SetLetterbox(int vw, int vh);
    // Black bars over the bands outside the playfield; call after all sprites are drawn.
    static void DrawLetterbox();

    static float Width() { return float(VirtualWidth_); }
    static float Height() { return float(VirtualHeight_); }
    static float CenterX() { return float(ScaledWidth_ / 2); }
    static float CenterY() { return float(ScaledHeight_ / 2); }
    // Where playfield (0, 0) lies in drawing units: the inner corner of the letterbox bars.
    static float OriginX() { return float((ScaledWidth_ - VirtualWidth_) / 2); }
    static float OriginY() { return float((ScaledHeight_ - VirtualHeight_) / 2); }
    static int ScaledWidth() { return ScaledWidth_; }
    static int ScaledHeight() { return ScaledHeight_; }

private:
    static inline int ScaledWidth_ = 0;
    static inline int ScaledHeight_ = 0;
    static inline int VirtualWidth_ = 0;
    static inline int VirtualHeight_ = 0;
};

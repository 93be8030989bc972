#pragma once
// The media layer: the only way the game touches the machine. Display, drawing state, images and
// pixel maps, pixel-exact collisions, files and streams, audio, input, time, random numbers and a
// few system calls. Two back ends implement the machine-facing part (media/sdl and
// media/headless); decoding, drawing state, batching, collisions, input bookkeeping and random
// numbers are shared, so both back ends give the same answers.
//
// Units: drawing positions, sizes and viewports are in drawing units (the projection set with
// SetProjection maps them to back-buffer pixels); angles in degrees, clockwise on screen (y grows
// downward); colours 0..255 per channel; alpha 0..1; times in milliseconds.
// Paths may use '\' or '/'; they are relative to the working folder (the data root).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Media {

// ---------------------------------------------------------------------------------------------
// [SECTION] Start-up, command line and back-end selection
// ---------------------------------------------------------------------------------------------

struct Options {
    bool Windowed = false; // --windowed
    std::string DataRoot;  // --data DIR: becomes the working folder
    std::string LogFile;   // --log FILE: the debug log also goes there
    bool HasSeed = false;  // --seed N given
    uint32_t Seed = 0;
    bool Headless = false;  // --headless
    int StepMs = 16;        // --step MS: headless clock advance per frame
    int Frames = -1;        // --frames N: end with status 0 after N presented frames (-1: never)
    std::string ScriptFile; // --script FILE
    std::string RecordFile; // --record FILE: the session's input and frame steps, as a script
    // --stage N: after loading, a new game starts at once at stage N (0 = level 1 wave 1 …
    // STAGE_MAX = level 11 wave 5) with the active save slot; -1: none.
    int Stage = -1;
    static constexpr int STAGE_MAX = 54;
    // --fps N: where presents do not wait for the display, the window's frame loop keeps N frames
    // per second; 0: no cap; -1: the display's refresh rate (60 when unknown). The virtual clock
    // of headless runs and replays is not affected.
    int Fps = -1;
    static constexpr int FPS_MAX = 1000;
    bool Help = false;    // --help: print UsageText and end (what follows it is not read)
    bool Version = false; // --version: print VersionText and end
};

// Parses the command line (argv[0] skipped). On an unknown or malformed option returns false with
// a message in `error`.
bool ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error);
// What --help prints: the usage, every option with its meaning, and the controls.
std::string UsageText();
// What --version prints: "Quillstorm <version>" and a line break.
std::string VersionText();

// Starts the media layer with the chosen back end: changes to the data root, opens the log file,
// loads the input script (a malformed line fails with its line number), seeds the random
// generator when --seed was given (the game then must not reseed from the clock). Returns false
// with a message when that fails. Call once, before anything else here; tests may call Shutdown
// and Init again. Before Init and after Shutdown every call works on a headless back end.
bool Init(const Options& options, std::string& error);
// Releases the back end (tests use it between cases; the game never shuts down).
void Shutdown();
// The options the layer was started with.
const Options& CurrentOptions();
bool IsHeadless();

// ---------------------------------------------------------------------------------------------
// [SECTION] Pixel maps and images
// ---------------------------------------------------------------------------------------------

// A picture in memory, not drawable. Pixels are 8-bit, rows top-down without padding:
// 4 channels RGBA (straight alpha) or 1 channel (grey or alpha, see Format).
struct PixelMap {
    enum class Format { RGBA, Grey, Alpha };
    int Width = 0;
    int Height = 0;
    Format PixelFormat = Format::RGBA;
    std::vector<uint8_t> Pixels;

    int Channels() const { return PixelFormat == Format::RGBA ? 4 : 1; }
    uint8_t* At(int x, int y) {
        return Pixels.data() + (size_t(y) * size_t(Width) + size_t(x)) * size_t(Channels());
    }
    const uint8_t* At(int x, int y) const {
        return Pixels.data() + (size_t(y) * size_t(Width) + size_t(x)) * size_t(Channels());
    }
};
using PixelMapRef = std::shared_ptr<PixelMap>;

// Image flags.
constexpr int MASKEDIMAGE = 1;    // pixels equal to the mask colour become transparent
constexpr int FILTEREDIMAGE = 2;  // smoothed when scaled
constexpr int MIPMAPPEDIMAGE = 4; // mip-mapped
constexpr int DYNAMICIMAGE = 8;   // pixels readable (always true here; accepted for clarity)
// Colours premultiplied by alpha, for the premultiplied blend: a texel of alpha 0 may still add
// light, so the texture keeps every texel's colour as it is.
constexpr int PREMULTIPLIEDIMAGE = 16;

// A texel counts as solid for collisions when its alpha is at least 128 (0.5). The same rule
// makes the mask blend skip texels.
constexpr int SOLID_ALPHA = 128;

namespace Internal {
struct ImageParts;
}

class Image {
public:
    ~Image();
    int Width() const { return width_; }   // of one frame, in pixels
    int Height() const { return height_; } // of one frame, in pixels
    int Frames() const { return frames_; }
    int Flags() const { return flags_; }
    float HandleX() const { return handleX_; }
    float HandleY() const { return handleY_; }
    void SetHandle(float x, float y);
    // RGBA of one texel of a frame; x, y inside the frame. Out-of-range reads give 0.
    uint32_t ReadPixel(int frame, int x, int y) const; // 0xAARRGGBB
    uint8_t Alpha(int frame, int x, int y) const;
    // The decoded pixels of one frame (after masking), RGBA.
    const PixelMap& FramePixels(int frame) const { return framePixels_[size_t(frame)]; }
    // For an image painted premultiplied (ImagePainter) whose every texel is white light (each
    // colour equal to its alpha, as a white picture's): its frame as alpha alone (Format::Alpha),
    // which a stack is composed from at a quarter of the bytes. Null for any other image.
    const PixelMap* WhiteLight() const { return whiteLight_.Width > 0 ? &whiteLight_ : nullptr; }
    // One bit per texel, set when solid; rows of (Width + 63) / 64 words.
    const std::vector<uint64_t>& SolidMask(int frame) const { return masks_[size_t(frame)]; }
    int MaskWords() const { return (width_ + 63) / 64; }
    // Back-end texture of a frame (opaque id; 0 = none), with its texture coordinates.
    struct TextureRegion {
        uint32_t Texture = 0;
        float U0 = 0, V0 = 0, U1 = 1, V1 = 1;
        // The rectangle of the frame (pixels from its top-left corner) that holds every texel of
        // alpha above 0, widened by a margin that texture filtering reaches, and its texture
        // coordinates; the alpha, light and mask blends draw only this part. Empty (X0 = X1)
        // when the frame has no visible texel.
        float VisibleX0 = 0, VisibleY0 = 0, VisibleX1 = 0, VisibleY1 = 0;
        float VisibleU0 = 0, VisibleV0 = 0, VisibleU1 = 1, VisibleV1 = 1;
        bool Opaque = false; // every texel has alpha 255
    };
    const TextureRegion& Region(int frame) const { return regions_[size_t(frame)]; }

    // Builds an image from a sheet cut into cells row by row, left to right, from `first`.
    // Returns null when the sheet holds fewer cells than asked for.
    static std::shared_ptr<Image> FromSheet(const PixelMap& sheet, int cellW, int cellH, int first, int count,
                                            int flags);

private:
    friend std::shared_ptr<Image> LoadImage(const std::string& path, int flags);
    friend std::shared_ptr<Image> LoadAnimImage(const std::string& path, int cellW, int cellH, int first,
                                                int count, int flags);
    friend class ImagePainter;

    Image() = default;
    // Makes the image, and its texture, of parts cut already; main thread only.
    static std::shared_ptr<Image> FromParts(Internal::ImageParts parts, int flags);

    int width_ = 0, height_ = 0, frames_ = 0, flags_ = 0;
    float handleX_ = 0, handleY_ = 0;
    std::vector<PixelMap> framePixels_;
    PixelMap whiteLight_;
    std::vector<std::vector<uint64_t>> masks_;
    std::vector<TextureRegion> regions_;
    std::vector<uint32_t> textures_; // owned back-end textures
    uint32_t generation_ = 0;        // back end that made them (media/media_internal.h)
};
using ImageRef = std::shared_ptr<Image>;

// Loads a whole picture as one frame; null if the file is missing or undecodable.
// flags -1 = the default flags (SetDefaultImageFlags).
ImageRef LoadImage(const std::string& path, int flags = -1);
// Loads a picture cut into cells of cellW × cellH, row by row, left to right, starting at cell
// `first`; null on failure or when the picture holds too few cells.
ImageRef LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags = -1);
// An image of one frame from a pixel map (grey and alpha maps become white RGBA with that alpha
// for Alpha and grey RGB with alpha 255 for Grey).
ImageRef ImageFromPixmap(const PixelMap& map, int flags = -1);

PixelMapRef LoadPixmap(const std::string& path); // PNG or JPEG; null on failure
// A picture to decode ahead (PrefetchPictures). With Count 0 it is a whole picture; otherwise
// it is a sheet that will be loaded as LoadAnimImage(Path, CellW, CellH, First, Count), which the
// workers then cut into that image's frames too.
struct PictureAhead {
    std::string Path;
    int CellW = 0, CellH = 0, First = 0, Count = 0;
};
// Decoding ahead on worker threads (one or two, a core fewer than the machine has, below the
// main thread's priority): starts reading and decoding these files, in this order, while the
// caller goes on. A later LoadPixmap (and so LoadImage, LoadAnimImage) of a listed path, the same
// string, takes that result, waiting for it if it is being decoded, instead of reading the file
// itself; the result is the same either way. The workers also prepare each picture's image but
// for its texture (the whole picture, or the listed sheet's frames), so that a load of it without
// MASKEDIMAGE, as listed, has little left to do. A load that differs from the listing is still
// right, but does the work again on the main thread, and says so in the debug log. Each listed
// entry is taken once; the workers stay at most about 160 MB of prepared pictures ahead of the
// loads. A new call replaces the list; what the old one had decoded, or had in hand, for an entry
// the new one lists again is kept.
void PrefetchPictures(const std::vector<PictureAhead>& pictures);
// PrefetchPictures of whole pictures.
void PrefetchPixmaps(const std::vector<std::string>& paths);
// Stops decoding ahead (after the files in hand) and frees the results nobody took.
void EndPrefetch();
// True when the decode-ahead list holds `path` decoded and not yet taken, so that a load of it
// would not wait. Never waits itself.
bool PrefetchDone(const std::string& path);
PixelMapRef CreatePixmap(int width, int height); // RGBA, all zero
// 8-bit intensity copy (Rec. 601 luma).
PixelMapRef ConvertPixmapToGrey(const PixelMap& map);
// Relabels a grey map's single channel as alpha: white pixels whose opacity is the old brightness.
void RelabelGreyAsAlpha(PixelMap& map);
// Pastes `src` into `dst` with its top-left corner at (x, y), blending with src alpha
// ("over"); parts outside dst are cut off.
void PastePixmap(PixelMap& dst, const PixelMap& src, int x, int y);
// Writes a pixel map (RGBA or grey) as JPEG; false on failure.
bool SaveJpeg(const PixelMap& map, const std::string& path, int quality);

// ---------------------------------------------------------------------------------------------
// [SECTION] Display
// ---------------------------------------------------------------------------------------------

void DesktopSize(int& width, int& height);
// 1 if a full-screen mode of that size and depth (16, 24 or 32) can be set.
int GraphicsModeExists(int width, int height, int depth);
// The top-level window: created hidden, with title bar and minimise box, fixed client area.
bool CreateAppWindow(const std::string& title, int x, int y, int clientWidth, int clientHeight);
// Windowed drawing context (the canvas filling the client area); false on failure.
bool OpenWindowGraphics();
void CloseWindowGraphics();
void ShowAppWindow(bool visible);
// Full-screen drawing context at width × height × depth; false on failure.
bool OpenFullscreenGraphics(int width, int height, int depth);
void CloseFullscreenGraphics();
bool HasGraphics();
int GraphicsWidth();  // back buffer, pixels
int GraphicsHeight(); // back buffer, pixels
// The back buffer shows drawing units 0..width × 0..height, y growing downward.
void SetProjection(float width, float height);
float ProjectionWidth();
float ProjectionHeight();
// Clears the whole back buffer to the clear colour.
void Cls();
// Presents the back buffer; sync 1 waits for the vertical blank. Headless: advances the virtual
// clock by the frame step and counts the frame (and ends the run after --frames N).
void Flip(int sync);
// A copy of back-buffer pixels (x, y, w, h in pixels) as an RGBA pixel map. Headless drawing is
// counted, not rasterised: the copy is opaque black.
PixelMapRef GrabPixmap(int x, int y, int width, int height);

// ---------------------------------------------------------------------------------------------
// [SECTION] Drawing state and drawing
// ---------------------------------------------------------------------------------------------

constexpr int MASKBLEND = 1;  // no blending; texels with alpha below 0.5 are not drawn
constexpr int SOLIDBLEND = 2; // no blending
constexpr int ALPHABLEND = 3; // src × src alpha + dst × (1 − src alpha)
constexpr int LIGHTBLEND = 4; // src × src alpha + dst
constexpr int SHADEBLEND = 5; // src × dst
// src + dst × (1 − src alpha), for pictures whose colours are premultiplied by alpha (see
// PaintPasses); the drawing colour and alpha scale the texel alike.
constexpr int PREMULTIPLIEDBLEND = 6;

void SetBlend(int mode); // values outside 1..6 are ignored
int GetBlend();
void SetAlpha(float alpha); // clamped to 0..1
float GetAlpha();
void SetColor(int r, int g, int b); // each clamped to 0..255
void GetColor(int& r, int& g, int& b);
void SetClsColor(int r, int g, int b); // clamped to 0..255
void GetClsColor(int& r, int& g, int& b);
void SetRotation(float degrees);
float GetRotation();
void SetScale(float x, float y);
void GetScale(float& x, float& y);
// Clipping rectangle in drawing units.
void SetViewport(int x, int y, int width, int height);
void GetViewport(int& x, int& y, int& width, int& height);
// Added to every drawing position.
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
// Extra handle offset subtracted from every drawn frame's placement, like the image handle.
void SetDrawHandle(float x, float y);
void GetDrawHandle(float& x, float& y);
void SetLineWidth(float width);
float GetLineWidth();
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
// The image font used by text drawing; 0 is the built-in font (the only one the game uses).
void SetImageFont(int font);
int GetImageFont();
// While on, images loaded get their handle at the frame centre.
void SetAutoMidHandle(bool on);
bool GetAutoMidHandle();
// Flags used when a load passes -1.
void SetDefaultImageFlags(int flags);
int GetDefaultImageFlags();
// Flat-colour mode: texels take the current colour and keep their alpha. Off restores normal
// drawing and sets the colour to (255, 255, 255).
void FogModeOn();
void FogModeOff();
bool GetFogMode();

// Draws one frame with its handle at (x, y) under the current state. Out-of-range frames are
// clamped to the image's frames. Without open graphics nothing is drawn (the draw record still
// sees the call).
void DrawFrame(const Image& image, float x, float y, int frame);
// Filled rectangle in the current colour, alpha, rotation and scale (about its top-left corner).
void DrawRect(float x, float y, float width, float height);
// Text in the built-in 8 × 8 font (debug overlay), top-left corner at (x, y), under the current
// colour and scale.
void DrawDebugText(const std::string& text, float x, float y);
// Sends any batched quads to the back end (Flip, GrabPixmap and state changes do it themselves).
void FlushDrawing();

// One picture of a stack (DrawStack): frame 0 of Source, a PREMULTIPLIEDIMAGE, with its top-left
// corner at (X, Y) in drawing units from the stack's top-left corner, at its own size, mirrored
// left to right within its box when MirrorX, and repeated up and down the stack when RepeatY (a
// picture that is one period of a column, then). Tinted by R, G, B and faded by A (0..1 each).
// Beyond its picture a layer is transparent; filtered, its edge texels fade into that over a
// pixel, where a drawn frame's stop at its edge.
struct StackLayer {
    const Image* Source = nullptr;
    float X = 0, Y = 0;
    bool MirrorX = false, RepeatY = false;
    float R = 1, G = 1, B = 1, A = 1;
};
constexpr int STACK_LAYERS = 3;
// Draws the rectangle (x, y, width, height), in drawing units under the current origin and
// viewport (not scale or rotation), as the layers, the first at the bottom, drawn one after
// another with PREMULTIPLIEDBLEND would change it: in one pass, which reads each pixel of the back
// buffer once instead of once a layer. Up to STACK_LAYERS layers; a layer without a source, or
// with one that is not a PREMULTIPLIEDIMAGE, is left out. Not in the draw record.
void DrawStack(const StackLayer* layers, int count, float x, float y, float width, float height);

// Draw statistics since the last ResetDrawStats: batches sent to the back end, quads drawn, and
// back-buffer pixels they cover (each quad's area inside its scissor box, counted once per quad;
// quads that cover nothing are not drawn).
struct DrawStats {
    int Batches = 0;
    int Quads = 0;
    double CoveredPixels = 0;
};
DrawStats GetDrawStats();
void ResetDrawStats();
// Overdraw of the last presented frame: the pixels its quads covered divided by the back buffer's
// pixels (1 = every pixel shaded once on average). Works in every back end.
float LastFrameOverdraw();
// On (the default), frames drawn in the alpha, light and mask blends cover only their visible
// rectangle (Image::TextureRegion); off, whole frames, for measuring what that saves.
void SetDrawTrimming(bool on);

// A record of every DrawFrame and DrawRect, for tests (off by default; recording allocates).
struct DrawRecord {
    const Image* DrawnImage = nullptr; // null for DrawRect
    int Frame = 0;
    float X = 0, Y = 0;          // position passed (before origin)
    float Width = 0, Height = 0; // DrawRect only
    int R = 0, G = 0, B = 0;
    float Alpha = 0;
    int Blend = 0;
    bool Fog = false;
    float Rotation = 0, ScaleX = 1, ScaleY = 1;
    int ViewportX = 0, ViewportY = 0, ViewportWidth = 0, ViewportHeight = 0;
};
void SetDrawRecording(bool on);
const std::vector<DrawRecord>& RecordedDraws();
void ClearRecordedDraws();

// ---------------------------------------------------------------------------------------------
// [SECTION] Painting pictures of pictures, on the CPU
// ---------------------------------------------------------------------------------------------

// One pass of a picture's drawing, for painting pictures of pictures: frame 0 of Source placed
// by where three of its corners fall in the painted picture (pixels from its top-left corner),
// tinted by R, G, B (0..1) and faded by Alpha (0..1), with ALPHABLEND or LIGHTBLEND (an alpha
// map is white with that alpha, a grey one opaque, as their textures are). Filtered
// between texels and cut at the picture's edges, as the drawing of a filtered image is.
struct PaintPass {
    std::shared_ptr<const Image> Source;
    float TopLeftX = 0, TopLeftY = 0, TopRightX = 0, TopRightY = 0, BottomLeftX = 0, BottomLeftY = 0;
    float R = 1, G = 1, B = 1, Alpha = 1;
    int Blend = ALPHABLEND;
};
// The passes, in order, painted onto a transparent picture of width × height, which comes out
// RGBA with its colours premultiplied by alpha: drawn with PREMULTIPLIEDBLEND, it changes what
// lies under it as the passes would have. Passes without a source, or with another blend, paint
// nothing. Safe on any thread while the sources' pixels stay.
PixelMap PaintPasses(int width, int height, const std::vector<PaintPass>& passes);

// Paints passes into an image on a worker thread below the main thread's priority, which also
// cuts the image's parts (and keeps white light's alpha alone, Image::WhiteLight), so that the main
// thread only makes its texture. Main thread only.
class ImagePainter {
public:
    ImagePainter();
    ImagePainter(const ImagePainter&) = delete;
    ImagePainter& operator=(const ImagePainter&) = delete;
    ~ImagePainter(); // stops a painting in hand and waits for it
    // Starts painting (see PaintPasses) an image of image flags `flags`; without
    // PREMULTIPLIEDIMAGE its colours are divided by alpha, for drawing with ALPHABLEND. A
    // painting started before is dropped.
    void Start(int width, int height, std::vector<PaintPass> passes,
               int flags = PREMULTIPLIEDIMAGE | FILTEREDIMAGE);
    // Drops the painting in hand or done, if any.
    void Cancel();
    // The image, once, when the worker is done; else null.
    std::shared_ptr<Image> Take();

private:
    struct Job;
    std::unique_ptr<Job> job_;
};

// ---------------------------------------------------------------------------------------------
// [SECTION] Collisions (pixel-exact, on the CPU, identical in both back ends)
// ---------------------------------------------------------------------------------------------

// Placement of a frame: its handle at (X, Y), rotated and scaled about the handle.
struct Placement {
    float X = 0, Y = 0;
    float Rotation = 0;
    float ScaleX = 1, ScaleY = 1;
};
// 1 when a solid texel of frame a (placed by pa) covers the same point as a solid texel of b:
// the centres of the texels of the frame drawn finer (b on a tie) are tested against the other's
// texels, so nothing one texel thin is stepped over. Draw handle and origin do not apply.
int ImagesOverlap(const Image& a, int frameA, const Placement& pa, const Image& b, int frameB,
                  const Placement& pb);

// Collision layers (bit masks; the game uses layer 32, mask 0x80000000). Writes use the current
// rotation and scale. A written image is referenced, not copied: keep it alive until the layer is
// cleared.
void ClearCollisions(uint32_t mask);
void CollideImage(const Image& image, float x, float y, int frame, uint32_t writeMask);
// A rectangle with its top-left corner at (x, y), rotated and scaled about that corner.
void CollideRect(float x, float y, float width, float height, uint32_t writeMask);
// 1 if the rectangle (under the current rotation and scale, about its top-left corner) touches
// anything written into a layer of `testMask`.
int CollideRectTest(float x, float y, float width, float height, uint32_t testMask);

// ---------------------------------------------------------------------------------------------
// [SECTION] Files and streams
// ---------------------------------------------------------------------------------------------

// '\' becomes '/'.
std::string NativePath(const std::string& path);
int FileType(const std::string& path); // 0 missing, 1 file, 2 folder
// True only when nothing is at `path` (or a folder on the way is missing). False for whatever
// exists, and for a path that cannot be looked at (no permission on a folder, a link loop): such a
// file may well be there.
bool FileMissing(const std::string& path);
bool DeleteFile(const std::string& path);
// 1 when the existing file at `path` may be written by this process.
int FileWritable(const std::string& path);
// Replaces the file at `path` with `bytes` so that at every instant, across a crash or a power
// cut, it holds either its old content or all of the new. The bytes go to a temporary file of a
// name no other writer uses (`path` + ".tmp" and six random characters) in the same folder,
// created exclusively and never through a link, with the old file's permission bits (0644 for a
// new file); it is flushed to disk and renamed over the file, and the folder is flushed. Two
// processes replacing the same file at once each leave one whole version. False with the reason
// when it cannot be done; the old file is then untouched. A process killed mid-write may leave its
// temporary file behind, never a partial `path`.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string& reason);
// Flushes the folder's entries to disk (after creating a file or folder in it); false on failure.
bool FlushFolder(const std::string& folder);

class Stream {
public:
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    // Bytes up to a byte 10 or 0 or the end; bytes 13 dropped; one character per byte. A read
    // error ends the line like the end of the file does, and Failed tells them apart.
    std::string ReadLine();
    // True at the end of the file and after a read error.
    bool Eof();
    // True once a read has failed (an I/O error, not the end of the file): what was read may be
    // incomplete.
    bool Failed();
    void WriteString(const std::string& text); // one byte per character, nothing added
    void WriteLine(const std::string& text);   // the text, then bytes 13 10
    void WriteInt(int32_t value);              // 32-bit little-endian
    void WriteShort(int value);                // low 16 bits, little-endian
    void WriteBytes(const void* data, size_t size);
    void Close();

private:
    friend std::unique_ptr<Stream> OpenRead(const std::string&);
    friend std::unique_ptr<Stream> OpenWrite(const std::string&);
    explicit Stream(void* file) : file_(file) {}
    void* file_; // FILE*
};
std::unique_ptr<Stream> OpenRead(const std::string& path);  // null if it cannot be opened
std::unique_ptr<Stream> OpenWrite(const std::string& path); // creates or truncates; null on failure

// ---------------------------------------------------------------------------------------------
// [SECTION] Audio
// ---------------------------------------------------------------------------------------------

// Format codes of a decoded sample.
constexpr int SF_MONO8 = 1;
constexpr int SF_MONO16LE = 2;
constexpr int SF_MONO16BE = 3;
constexpr int SF_STEREO8 = 4;
constexpr int SF_STEREO16LE = 5;
constexpr int SF_STEREO16BE = 6;

struct AudioSample {
    int Format = SF_MONO16LE;
    int Length = 0; // sample frames
    int Rate = 0;   // Hz
    std::vector<uint8_t> Data;
    int BytesPerFrame() const;
    int Channels() const;
    double DurationMs() const { return Rate > 0 ? 1000.0 * Length / Rate : 0; }
};
using AudioSampleRef = std::shared_ptr<AudioSample>;

// ".wav" (RIFF PCM, 8/16-bit, mono/stereo) or ".ogg" (Vorbis), chosen by the file's content;
// null on failure.
AudioSampleRef LoadAudioSample(const std::string& path);
// Decodes WAV bytes; null when they are not a PCM WAV we can play.
AudioSampleRef DecodeWav(const std::vector<uint8_t>& bytes);

constexpr int SOUND_LOOP = 1;

class LoadedSound {
public:
    ~LoadedSound();
    const AudioSample& Sample() const { return *sample_; }
    AudioSampleRef SampleRef() const { return sample_; }
    bool Loops() const { return loop_; }
    uint32_t BackendBuffer() const { return buffer_; }

private:
    friend std::shared_ptr<LoadedSound> LoadSound(AudioSampleRef, int);
    LoadedSound() = default;
    AudioSampleRef sample_;
    bool loop_ = false;
    uint32_t buffer_ = 0;
    uint32_t generation_ = 0; // back end that made the buffer (media/media_internal.h)
};
using LoadedSoundRef = std::shared_ptr<LoadedSound>;

LoadedSoundRef LoadSound(AudioSampleRef sample, int flags); // flags: SOUND_LOOP
LoadedSoundRef LoadSound(const std::string& path, int flags);

// One playing instance of a sound.
class AudioChannel {
public:
    virtual ~AudioChannel() = default;
    virtual void Stop() = 0;
    virtual void SetPaused(int paused) = 0;   // 1 pause, 0 resume
    virtual void SetVolume(float volume) = 0; // 0..1
    virtual void SetRate(float rate) = 0;     // 1 = recorded pitch
    virtual int Playing() = 0;                // 1 while it plays (not paused, not ended)
};
using AudioChannelRef = std::shared_ptr<AudioChannel>;

// A new channel holding the sound, paused, at volume 1 and rate 1. Never null: with no audio
// device the channel runs silently on the clock.
AudioChannelRef CueSound(const LoadedSound& sound);
// "directsound" (or "default") selects the default output; 1 on success, 0 if no device.
// Headless: 1 for those names (there is no device; channels run silently on the virtual clock).
int SelectAudioDriver(const std::string& name);

// ---------------------------------------------------------------------------------------------
// [SECTION] Input
// ---------------------------------------------------------------------------------------------

// Keys are Windows virtual-key codes.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_LEFT = 37;
constexpr int KEY_UP = 38;
constexpr int KEY_RIGHT = 39;
constexpr int KEY_DOWN = 40;
constexpr int KEY_0 = 48; // .. 57
constexpr int KEY_A = 65; // .. 90
constexpr int KEY_F5 = 116;

// Presses since the previous query of that key; the query resets it. Auto-repeat is not a press.
int KeyPresses(int key);
int KeyHeld(int key);
int NextTypedChar(); // 0 when none is waiting
void ClearInput();
int PointerWindowX(); // pixels in the window (or screen when full screen)
int PointerWindowY();
int ButtonHeld(int button);    // 1 left, 2 right, 3 middle
int ButtonPresses(int button); // since the previous query of that button
void MoveMouse(int x, int y);  // window pixels
void SetMouseVisible(int visible);
// Movements of the mouse by the player since the previous query (the query resets it). A move
// made with MoveMouse, and the motion its warp reports back, is not counted.
int MouseMoves();

// Gamepads, through SDL's game-controller mapping, so every pad has the same names. All connected
// pads act as one: a button is held while any pad holds it.
constexpr int PAD_A = 0;
constexpr int PAD_B = 1;
constexpr int PAD_X = 2;
constexpr int PAD_Y = 3;
constexpr int PAD_BACK = 4;
constexpr int PAD_START = 5;
constexpr int PAD_LEFTSHOULDER = 6;
constexpr int PAD_RIGHTSHOULDER = 7;
constexpr int PAD_DPUP = 8;
constexpr int PAD_DPDOWN = 9;
constexpr int PAD_DPLEFT = 10;
constexpr int PAD_DPRIGHT = 11;
constexpr int PAD_BUTTONS = 12;
constexpr int PAD_LEFTX = 0;
constexpr int PAD_LEFTY = 1;
constexpr int PAD_RIGHTX = 2;
constexpr int PAD_RIGHTY = 3;
constexpr int PAD_LEFTTRIGGER = 4;
constexpr int PAD_RIGHTTRIGGER = 5;
constexpr int PAD_AXES = 6;

// Presses of a pad button since the previous query of it (the query resets it).
int PadPresses(int button);
int PadHeld(int button);
// Position of an axis: sticks −1..1 (right and down positive), triggers 0..1; 0 for unknown axes.
// Raw values: the game applies its own dead zone.
float PadAxis(int axis);
// Pads connected now (found at start and whenever one is plugged in).
int PadsConnected();
// Pads unplugged since the previous query (the query resets it).
int PadsRemoved();
// A rumble of `strength` 0..1 for `ms` milliseconds on every connected pad that can rumble; a new
// rumble replaces one still running.
void PadRumble(float strength, int ms);

enum class SystemEvent { Suspend, Resume };
// Drains the system event queue (and applies the input script). Suspend and resume events are
// appended to `events`, which is cleared first.
void PollEvents(std::vector<SystemEvent>& events);
int AppSuspended();

// ---------------------------------------------------------------------------------------------
// [SECTION] Time, random numbers and system
// ---------------------------------------------------------------------------------------------

uint32_t ClockMs();   // wraps at 2^32
void SleepMs(int ms); // negative does nothing
// True while ClockMs follows real time (in the window, when no session is recorded or replayed
// with steps), so time passes during a frame's work. Otherwise it moves only when a frame is
// presented and when the game sleeps.
bool ClockIsRealTime();

void SeedRandom(int32_t seed);       // low 31 bits; a masked 0 or 2147483647 becomes 4660
int32_t RandomSeed();                // the seed in use (after masking), 4660 at start
float RandomFloat(float a, float b); // between a and b
int RandomInt(int a, int b);         // a..b inclusive, either order

size_t MemoryInUse(); // bytes held by the heap

void Notify(const std::string& text, int serious); // message box; standard error when headless
void DebugLog(const std::string& text);            // standard error and the --log file
[[noreturn]] void End(int status);                 // flushes the log and ends the process

} // namespace Media

#pragma once
// RenderState: a stack that saves and restores the whole 2D drawing state of the media layer
// (Sprite::Draw brackets every sprite with it). The stack keeps its storage, so pushing and
// popping in a frame never allocates once it has grown.

class RenderState {
public:
    float Alpha = 1;
    int Blend = 0;
    int ClsColor_R = 0, ClsColor_G = 0, ClsColor_B = 0;
    int Color_R = 0, Color_G = 0, Color_B = 0;
    float Handle_X = 0, Handle_Y = 0;
    int ImageFont = 0;
    float LineWidth = 1;
    int MaskColor_R = 0, MaskColor_G = 0, MaskColor_B = 0;
    float Origin_X = 0, Origin_Y = 0;
    float Rotation = 0;
    float Scale_X = 1, Scale_Y = 1;
    int Viewport_X = 0, Viewport_Y = 0, Viewport_Width = 0, Viewport_Height = 0;

    // Reads the complete drawing state onto the stack.
    static void Push();
    // Removes the last pushed state and sets the drawing state from it, in this order: alpha,
    // blend, clear colour, colour, handle, image font, line width, mask colour, origin, rotation,
    // scale, viewport. Only valid after a matching Push (an empty stack is never popped).
    static void Pop();
    // Number of states on the stack.
    static int Depth();
    // Empties the stack (tests).
    static void Reset();
};

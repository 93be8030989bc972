#pragma once
// F5 screenshots: "Screenshot-001.jpg", "Screenshot-002.jpg", … in the working folder.
#include <string>

// "Screenshot-" + the last three digits of `number`, zero-padded, + ".jpg".
std::string ScreenshotName(int number);

// The first name for the numbers 1, 2, 3, … that does not exist yet in the working folder; ""
// when all thousand names (000 to 999) are taken.
std::string NextScreenshotName();

// Grabs the whole back buffer and saves it under NextScreenshotName() as JPEG quality 100.
// Gives up without saving (one debug-log line) when every name is taken or the file cannot be
// written. Returns the name written, or "".
std::string SaveScreenshot();

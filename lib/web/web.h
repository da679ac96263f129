// The browser side of the library: what lib/web/library.js provides (the
// page's canvas, Web Audio, the Gamepad API, the error box, local storage),
// and what the layer's files share. Only lib/web/, app/web/ and the web
// runner include it.
#pragma once
#include <cstdint>

extern "C" {

// 1 when a page hosts the program (a canvas, maybe sound); 0 under node.
int skyward_has_page();

// The program's folder, ending with '/'.
void skyward_program_folder(char* out, int size);

// --- picture ---
// The canvas's size in device pixels, as laid out now.
void skyward_canvas_size(int* width, int* height);
// Puts w x h RGBA pixels on the canvas at (x, y); with `clear` the canvas is
// first set to canvasW x canvasH and painted black (a new layout).
void skyward_present(const uint8_t* rgba, int x, int y, int w, int h, int canvasW, int canvasH,
                     int clear);
// Renders one line of text with the page's face (0 serif, 1 gothic) as RGBA
// into out (at most maxW x maxH); *w and *h get its size. 0 when there is no
// page to render with or the line does not fit.
int skyward_text_render(int face, int height, int bold, int italic, int underline, uint32_t fg,
                        uint32_t bg, int transparent, const char* text, uint8_t* out, int maxW,
                        int maxH, int* w, int* h);
// Shows the error line in the page's box.
void skyward_show_error(const char* text);

// --- sound ---
// 1 when the page has an audio context for the game.
int skyward_audio_open();
void skyward_audio_close();
// Makes the buffers of sound slot id from 16-bit PCM; 0 when refused.
int skyward_voice_make(int id, const int16_t* samples, int frames, int channels, int rate,
                       int buffers);
void skyward_voice_forget(int id);
// Buffer b of slot id, cut off if still sounding, plays once.
void skyward_voice_play(int id, int b);
// The piece of that name (its rendering beside the page) plays in a loop from
// its start; stop ends it.
void skyward_music_play(const char* name);
void skyward_music_stop();
// The program became active or inactive: the sound goes on or pauses.
void skyward_audio_active(int active);

// --- game pads ---
// Pad index's stick (x, y in -1..1, with its D-pad folded in) and buttons
// (bit n for button n + 1 of the standard layout); 0 when there is no pad.
int skyward_pad_read(int index, float* x, float* y, int* buttons);

// --- kept files ---
// Copies what the page's storage keeps under the folder into the file system.
void skyward_store_restore(const char* folder);
// Keeps a file's new contents in the page's storage; 0 when refused (full, off).
int skyward_store_put(const char* path, const char* data, int size);

}  // extern "C"

namespace zuDraw {
// The back surface, 640 x 480 RGB565, or null before the screen is up.
const uint16_t* WebBackSurface();
}  // namespace zuDraw

namespace zuSystem {
// The virtual-key code of a KeyboardEvent.code, 0 for a key the game has no
// name for.
int VirtualKeyFromCode(const char* code);
// A physical key went down or up; returns its virtual key (0: none). A virtual
// key that two keys share stays down until both are up.
int OnWebKey(const char* code, bool down);
// Every held key is let go (the page lost the focus); calls released(vk) for each.
void ReleaseAllKeys(void (*released)(int vk));
// The code of the first key that gives this virtual key, null when none does.
const char* CodeFromVirtualKey(int vk);
}  // namespace zuSystem

// Sizing a picture for the viewer: the fit into a largest size, and the rules
// that snap a resized viewer to the picture's proportions. Pure arithmetic, in
// whatever unit the caller uses (the viewer uses pixels).
#pragma once

namespace tessaran {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize& o) const { return width == o.width && height == o.height; }
    bool operator!=(const PictureSize& o) const { return !(*this == o); }
};

// The shown size of a natural_w x natural_h picture inside largest_w x largest_h:
// never enlarged, proportions kept, computed sides rounded half to even.
PictureSize fit_picture(int natural_w, int natural_h, int largest_w, int largest_h);

// What a refit after a user resize works with.
struct RefitLimits {
    double aspect = 1;   // natural width / natural height
    int smallest_w = 0;  // smallest_h x aspect, rounded
    int smallest_h = 0;  // 10 % of the screen height, rounded
    int natural_w = 0;
    int natural_h = 0;
};

// The picture size after the user resized the viewer to leave avail_w x avail_h
// for the picture: the longer side gives way so the proportions hold, the
// height never drops below the smallest height (unless the picture is smaller)
// and the picture never grows beyond its natural size.
PictureSize refit_size(double avail_w, double avail_h, const RefitLimits& limits);

// The limits for a picture of the given natural size on a screen screen_h high.
RefitLimits refit_limits(int natural_w, int natural_h, int screen_h);

// The zoom label's text: the integer part of 100 x shown / natural, then "%".
int zoom_percent(int shown_w, int natural_w);

}  // namespace tessaran

// Where the wizard puts a page on the screen; screenshots of a page place it
// the same way.
#pragma once

struct PagePlace {
    int left, top;
};
// Centred across, with eight ninths of the free height above the page.
PagePlace PlacePage(int screenWidth, int screenHeight, int pageWidth, int pageHeight);

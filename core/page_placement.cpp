#include "core/page_placement.h"

PagePlace PlacePage(int screenWidth, int screenHeight, int pageWidth, int pageHeight) {
    return {(screenWidth - pageWidth) / 2, (screenHeight - pageHeight) / 9 * 8};
}

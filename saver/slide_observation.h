// Headless observation of the slide show: LUMIVISTA_CAPTURE=DIR writes the screen as a
// numbered PNG each time a slide is on screen, LUMIVISTA_QUIT_AFTER=N ends the show after N
// slides.
#pragma once

#include <string>

class SlideObservation {
public:
    // Reads the two settings from the environment.
    SlideObservation();

    // Called once a slide is fully shown; true exactly once, when the show should now end.
    bool SlideShown();

    int SlidesShown() const { return m_shown; }

private:
    std::string m_captureFolder;
    int m_quitAfter = 0;
    int m_shown = 0;
};

#pragma once

// Style, font, icon and assistive technology of the application; main and the tests call it
// once, after the application object is made.
void előkészít();

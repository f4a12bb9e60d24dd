#pragma once

// Gives the main window and the picture box the roles a screen reader expects of them:
// a frame titled by the window, and a graphic (also before its picture is first drawn).
void installAccessibleRoles();

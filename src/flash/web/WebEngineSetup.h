#pragma once
// What the web engine needs before its first page: Chromium's sandbox cannot run as root (CI
// containers), so it is turned off then, and only then; the views are drawn in software, as
// widgets of the window; and Chromium and the C library's allocator in its processes get the
// settings that keep the movies' memory low. Starts the engine (its default profile) when the
// application object exists. Call before the first web view is made (later calls change nothing).
void PrepareWebEngine();

#pragma once
// The board maker's events page that the graphics-card form links to.

constexpr const char* kEventsPageAddress = "https://www.pellix.org/events";

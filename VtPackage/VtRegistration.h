#pragma once
// Makes the package's controls known to form layouts and puts them on
// their designer palette pages. Safe to call more than once.

void RegisterVtComponents();

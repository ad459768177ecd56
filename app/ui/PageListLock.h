#pragma once
#include "app/ui/TMainForm.h"

// Marks the page list as being rebuilt, filled or cleared while window events run (a modal
// question, the thumbnails coming in), so that commands which change it, and the thumbnails
// made ahead, are held off until it is done.
class PageListLock {
public:
    explicit PageListLock(TMainForm& form) : form_(form) { ++form_.pageListBusy_; }
    ~PageListLock() { --form_.pageListBusy_; }
    PageListLock(const PageListLock&) = delete;
    PageListLock& operator=(const PageListLock&) = delete;

private:
    TMainForm& form_;
};

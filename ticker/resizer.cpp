#include "ticker/resizer.h"

#include "platform/control.h"
#include "platform/core/conversions.h"
#include "platform/form.h"

namespace {

constexpr int32_t kObjectErrorOffset = -2147221504;
constexpr int32_t kObjectRequired = 424;

int32_t Whole(float twips) { return RoundToLong(twips).value_or(0); }

}  // namespace

bool Resizer::RecordSizes(Form* frm) {
    if (!frm) {
        recorded_ = false;
        return false;
    }
    recordedHeight_ = Whole(frm->Height());
    recordedWidth_ = Whole(frm->Width());
    // Controls without a place on the window, and later members of a control array, are
    // not recorded.
    for (Control* control : frm->Controls()) {
        if (!control->HasGeometry()) continue;
        objects_.Add(Whole(control->Width()), Whole(control->Height()), Whole(control->Top()),
                     Whole(control->Left()), control->Name());
    }
    recorded_ = true;
    return true;
}

bool Resizer::Resize(Form* srcContainer) {
    if (!recorded_ && !RecordSizes(srcContainer)) {
        if (OnResizeError)
            OnResizeError(kObjectRequired + kObjectErrorOffset, "RError: Object required");
        return false;
    }
    if (!srcContainer) return false;
    currentHeight_ = Whole(srcContainer->Height());
    currentWidth_ = Whole(srcContainer->Width());
    // A recorded size of 0 keeps the earlier ratio.
    if (recordedHeight_ != 0) heightRatio_ = float(double(currentHeight_) / recordedHeight_);
    if (recordedWidth_ != 0) widthRatio_ = float(double(currentWidth_) / recordedWidth_);
    for (Control* control : srcContainer->Controls()) {
        if (!control->HasGeometry()) continue;
        rObject* recorded = objects_.Item(control->Name());
        if (!recorded) continue;
        control->setHeight(heightRatio_ * float(recorded->oHeight()));
        control->setWidth(widthRatio_ * float(recorded->oWidth()));
        control->setTop(heightRatio_ * float(recorded->oTop()));
        control->setLeft(widthRatio_ * float(recorded->oLeft()));
    }
    return true;
}

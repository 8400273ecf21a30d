#ifndef OPTIONRECORD_H
#define OPTIONRECORD_H

// The base of every option record: the options of one operation as read
// from the option dock when a start begins. All jobs of that start share
// the record read-only; the start owns it and frees it when its last job
// has finished. An operation without options uses the base as it is.
struct OptionRecord
{
    virtual ~OptionRecord() = default;
};

#endif // OPTIONRECORD_H

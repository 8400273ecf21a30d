#ifndef TIPCODES_H
#define TIPCODES_H

// The code pairs of the tips that the frame and the workers send. Only the
// message table turns a pair into words; senders name the pair here
// instead of writing bare numbers.
struct TipCode
{
    int var1;
    int var2;
};

namespace Tips {

constexpr TipCode FileMissing{0, 0};    // the file cannot be opened
constexpr TipCode FileUnreadable{0, 1}; // exists but cannot be read
constexpr TipCode FileUnwritable{0, 2}; // permission, read-only folder, disk full
constexpr TipCode SaveFailed{0, 3};
constexpr TipCode Saved{0, 4};
constexpr TipCode Unchanged{0, 5};        // nothing to change: the file was not rewritten
constexpr TipCode EncodingMismatch{0, 6}; // bytes not valid in the encoding in force
constexpr TipCode LeftoverRemoved{0, 7};  // a killed write's temporary file removed
constexpr TipCode FileTooLarge{0, 8};     // too large to be held as one text: left as it is
constexpr TipCode NotRegular{0, 9};       // a named pipe, socket, device or folder: left as it is
constexpr TipCode NotKept{0, 10};         // previous content not kept for undo: left as it is
constexpr TipCode TablesUnequal{-1, 1};  // script tables of unequal length
constexpr TipCode CustomUnequal{-1, 2};  // custom tables of unequal length
constexpr TipCode TablesEmpty{-1, 3};    // a script table without content
constexpr TipCode CustomEmpty{-1, 4};    // a custom table without content
constexpr TipCode TablesInUse{-1, 5};    // which script tables a conversion uses
constexpr int UndecidedCharacters = -11; // with the count as var2: characters of several
                                         // forms that only the character table chose
constexpr TipCode BaseFailed{-2, 0};     // a number line that does not parse
constexpr TipCode BaseSwapRefused{-3, 0}; // custom base swapped into format two
constexpr TipCode JobDone{-4, 0};       // one job finished (counted by the host)
constexpr TipCode PoolFailed{-4, 1};
constexpr TipCode AllDone{-4, 2};
constexpr TipCode JobCancelled{-4, 3};  // the user stopped the job: its closing line
constexpr TipCode NothingToUndo{12, 0};
constexpr TipCode Restored{12, 1};      // a file back to its content before the batch
constexpr TipCode ChangedSince{12, 2};  // changed after the batch: left alone by undo
constexpr TipCode RestoreFailed{12, 3};
constexpr TipCode UndoDone{12, 4};      // closing line of an undo
// Why a batch could not keep previous contents (said once per batch, for
// the undo store's folder).
constexpr TipCode StoreFull{12, 5};
constexpr TipCode StoreNoInodes{12, 6};
constexpr TipCode StoreReadOnly{12, 7}; // read-only or no permission
constexpr TipCode StoreFailed{12, 8};   // any other failure to write it
constexpr TipCode Cancelled{-6, 0};     // options unusable: nothing was started
constexpr TipCode EmptyKeyRow{-7, 0};   // a replacement typed below an empty key
constexpr TipCode NoOperation{-9, 9};   // start without an operation to run
constexpr TipCode CannotDecode{-10, 0}; // not the encoding it should be: the file stays as it was
constexpr TipCode PluginLoaded{11, 11};
constexpr TipCode PluginOpened{11, 12};
constexpr TipCode PluginClosed{11, 13};
constexpr TipCode FreeText{99, 99};

} // namespace Tips

#endif // TIPCODES_H

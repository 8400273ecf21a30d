#ifndef PREVIEWAPPLYJOB_H
#define PREVIEWAPPLYJOB_H

#include <memory>

#include "previewrecord.h"
#include "textbase.h"

class PreviewStore;

// Writes what a preview kept for one file, without working on its text
// again: the kept bytes go to the file through the writer every job uses
// (atomic replacement, owner, group and mode kept), its previous content
// kept for undo first. A file whose bytes are no longer those the preview
// read is left as it is (Tips::ChangedSincePreview), as is a file the
// preview would have made that exists by now. The job counts as failed
// then, as for every file it does not write.
class PreviewApplyJob : public TextBase
{
public:
    PreviewApplyJob(const std::shared_ptr<PreviewStore> &store, const PreviewRecord &record);

    void run() override;
    // Not called: the result is the kept bytes.
    QString processText() override { return m_text; }
    // A file the preview would have made, once written.
    QStringList producedFiles() const override;

private:
    void write(const QByteArray &bytes);

    std::shared_ptr<PreviewStore> m_store;
    PreviewRecord m_record;
    bool m_made = false;
};

#endif // PREVIEWAPPLYJOB_H

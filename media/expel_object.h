// media/expel_object.h: writing an embedded multimedia object out to a file the user chooses.
#pragma once

class CObjRec;

/// Asks for a path in a save dialog titled "Where to create linked file" (proposing the title
/// with the format's extension), then writes the embedded content there and links the record
/// to it. False for a linked object, when cancelled (cancelled is then set) or when writing fails.
bool ExpelEmbeddedObject(CObjRec& record, bool& cancelled);

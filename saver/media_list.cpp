#include "saver/media_list.h"

CArray<MediaListEntry, const MediaListEntry&> MediaList;
CArray<MusicListEntry, const MusicListEntry&> MusicList;

void ResetMediaLists() {
    MediaList.RemoveAll();
    MusicList.RemoveAll();
}

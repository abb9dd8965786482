// The 79 entry points of the host's virtual file system bound into the VFS table, in binding order.
// The plug-in calls only VFSAPI_VFS_FileExists; the others are bound for the table's sake.
#pragma once

// PLZ_VFS_API_ENTRIES(BOUND, CALLED) marks each name: CALLED for the ones the plug-in calls (each has
// its signature in client_api_calls.h), BOUND for the ones only bound. PLZ_VFS_API_NAMES(X): all.
#define PLZ_VFS_API_NAMES(X) PLZ_VFS_API_ENTRIES(X, X)
#define PLZ_VFS_API_ENTRIES(BOUND, CALLED) \
    BOUND(VFSAPI_VFS_MapVirtualDrive) \
    BOUND(VFSAPI_VFS_UnmapVirtualDrive) \
    BOUND(VFSAPI_VFS_GetVirtualDriveCount) \
    BOUND(VFSAPI_VFS_GetVirtualDriveAt) \
    BOUND(VFSAPI_VFS_FindVirtualDrive) \
    CALLED(VFSAPI_VFS_FileExists) \
    BOUND(VFSAPI_VFS_DirectoryExists) \
    BOUND(VFSAPI_VFS_CreateDirectory) \
    BOUND(VFSAPI_VFS_RemoveDirectory) \
    BOUND(VFSAPI_VFS_DeleteFile) \
    BOUND(VFSAPI_VFS_RenameFile) \
    BOUND(VFSAPI_VFS_CopyFile) \
    BOUND(VFSAPI_VFS_MoveFile) \
    BOUND(VFSAPI_VFS_GetFileSize) \
    BOUND(VFSAPI_VFS_GetFileAge) \
    BOUND(VFSAPI_VFS_SetFileAge) \
    BOUND(VFSAPI_VFS_GetFileAttributes) \
    BOUND(VFSAPI_VFS_SetFileAttributes) \
    BOUND(VFSAPI_VFS_IsFileReadOnly) \
    BOUND(VFSAPI_VFS_OpenFile) \
    BOUND(VFSAPI_VFS_CreateFile) \
    BOUND(VFSAPI_VFS_CloseFile) \
    BOUND(VFSAPI_VFS_ReadFile) \
    BOUND(VFSAPI_VFS_WriteFile) \
    BOUND(VFSAPI_VFS_SeekFile) \
    BOUND(VFSAPI_VFS_GetFilePosition) \
    BOUND(VFSAPI_VFS_SetEndOfFile) \
    BOUND(VFSAPI_VFS_FlushFile) \
    BOUND(VFSAPI_VFS_FindFirst) \
    BOUND(VFSAPI_VFS_FindNext) \
    BOUND(VFSAPI_VFS_FindClose) \
    BOUND(VFSAPI_VFS_ExpandFileName) \
    BOUND(VFSAPI_VFS_ExtractFilePath) \
    BOUND(VFSAPI_VFS_ExtractFileName) \
    BOUND(VFSAPI_VFS_ExtractFileExt) \
    BOUND(VFSAPI_VFS_ChangeFileExt) \
    BOUND(VFSAPI_VFS_IsVirtualPath) \
    BOUND(VFSAPI_VFS_VirtualToPhysicalPath) \
    BOUND(VFSAPI_VFS_PhysicalToVirtualPath) \
    BOUND(VFSAPI_VFS_GetCurrentDirectory) \
    BOUND(VFSAPI_VFS_SetCurrentDirectory) \
    BOUND(VFSAPI_VFS_GetTempFolder) \
    BOUND(VFSAPI_VFS_GetTempFileName) \
    BOUND(VFSAPI_VFS_ForceDirectories) \
    BOUND(VFSAPI_VFS_GetDiskFreeSpace) \
    BOUND(VFSAPI_VFS_LoadFileToBuffer) \
    BOUND(VFSAPI_VFS_SaveBufferToFile) \
    BOUND(VFSAPI_VFS_FreeBuffer) \
    BOUND(VFSAPI_VFS_OpenStream) \
    BOUND(VFSAPI_VFS_CloseStream) \
    BOUND(VFSAPI_VFS_ReadStream) \
    BOUND(VFSAPI_VFS_WriteStream) \
    BOUND(VFSAPI_VFS_GetStreamSize) \
    BOUND(VFSAPI_VFS_SeekStream) \
    BOUND(VFSAPI_VFS_RegisterFileSystem) \
    BOUND(VFSAPI_VFS_UnregisterFileSystem) \
    BOUND(VFSAPI_VFS_GetFileSystemCount) \
    BOUND(VFSAPI_VFS_GetFileSystemAt) \
    BOUND(VFSAPI_VFS_FindFileSystem) \
    BOUND(VFSAPI_VFS_MountArchive) \
    BOUND(VFSAPI_VFS_UnmountArchive) \
    BOUND(VFSAPI_VFS_IsArchiveMounted) \
    BOUND(VFSAPI_VFS_GetArchiveFileCount) \
    BOUND(VFSAPI_VFS_GetArchiveFileAt) \
    BOUND(VFSAPI_VFS_LockFile) \
    BOUND(VFSAPI_VFS_UnlockFile) \
    BOUND(VFSAPI_VFS_IsFileLocked) \
    BOUND(VFSAPI_VFS_GetFileOwner) \
    BOUND(VFSAPI_VFS_WatchFolder) \
    BOUND(VFSAPI_VFS_UnwatchFolder) \
    BOUND(VFSAPI_VFS_RefreshFolder) \
    BOUND(VFSAPI_VFS_BeginUpdate) \
    BOUND(VFSAPI_VFS_EndUpdate) \
    BOUND(VFSAPI_VFS_GetLastError) \
    BOUND(VFSAPI_VFS_ClearLastError) \
    BOUND(VFSAPI_VFS_GetStorageDeviceCount) \
    BOUND(VFSAPI_VFS_GetStorageDeviceAt) \
    BOUND(VFSAPI_VFS_DestroyStorageDevice) \
    BOUND(VFSAPI_VFS_CreateStorageDevice) \


#pragma once
// Named images, sounds and fonts, loaded group by group from resource entries and handed out
// by id. The application makes one in its constructor and deletes it in its destructor.
//
// What a caller can rely on:
// - Entries come from a resource list (ParseResourcesFile, ResourceListReader.cpp); loading a
//   group loads each of its entries not loaded yet, images first, then sounds, then fonts.
// - The first error is kept (GetErrorText) and stops all further loading; later errors are
//   dropped. While a list is being read, errors name its line and file.
// - RequireImage/RequireSound/RequireFont throw ResourceManagerException for an id that is not
//   loaded, carrying the kept error text (this lookup's message unless an earlier error was
//   kept); this is the one place the system throws, so callers must catch it.
// - The manager owns every entry and everything loaded through it; Font and Image pointers it
//   hands out stay valid until it is deleted.

#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace Vuro {

class DDImage;
class ImageFont;
class VuroAppBase;
class XMLParser;
struct AnimationInfo;

class ResourceManagerException : public std::exception {
public:
    explicit ResourceManagerException(std::string what) : mWhat(std::move(what)) {}
    const char* what() const noexcept override { return mWhat.c_str(); }

    std::string mWhat;
};

class ResourceManager {
public:
    struct BaseRes {
        virtual ~BaseRes() = default;
        std::string mId;
        std::string mResGroup;
        std::string mPath;
    };

    struct ImageRes : BaseRes {
        ~ImageRes() override;
        std::string mAlphaImage;
        std::string mAlphaGrid;
        int mRows = 1; // cel rows, at least 1
        int mCols = 1; // cel columns, at least 1
        // Options applied to the loaded image.
        bool mPalletize = false;            // reduce to a 256-colour table when it fits
        bool mPurgeBits = false;            // keep only the display form of the pixels
        bool mMinSubdivide = false;         // texture flag 1: as few texture pieces as possible
        bool mA4R4G4B4 = false;             // texture flag 4: 16-bit texture with 4 alpha bits
        bool mA8R8G8B8 = false;             // texture flag 8: full 32-bit texture
        AnimationInfo* mAnimInfo = nullptr; // owned; null without an animation
        bool mFromProgram = false;          // filled by code, never loaded
        DDImage* mImage = nullptr;          // owned; null until loaded
    };

    struct SoundRes : BaseRes {
        double mVolume = -1; // below 0: unchanged
        int mPan = 0;        // 0: unchanged
        int mSoundId = -1;   // -1 until loaded
    };

    struct FontRes : BaseRes {
        ~FontRes() override;
        std::string mImagePath; // empty for a descriptor-only font
        std::string mTags;
        bool mHasTags = false;
        bool mFromProgram = false;
        ImageFont* mFont = nullptr; // owned; null until loaded
        DDImage* mImage = nullptr;  // owned; the glyph sheet of an image-path font
    };

    using ResMap = std::map<std::string, BaseRes*>;

    explicit ResourceManager(VuroAppBase* app);
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Virtual operations in their fixed slot order.
    virtual bool DoLoadImage(ImageRes* res);
    virtual bool DoLoadFont(FontRes* res);
    virtual ~ResourceManager();
    // Sets the group (empty: every group) and puts the three cursors at their starts.
    virtual void BeginGroupLoad(const std::string& group);
    // Clears the error, begins a group load and loads until done; true when no error.
    [[nodiscard]] virtual bool LoadGroup(const std::string& group);
    // The loaded object of the id; throws ResourceManagerException when there is none (with
    // mAllowMissingProgramResources, an unfilled program-made entry answers null, a sound -1).
    virtual DDImage* RequireImage(const std::string& id);
    virtual int RequireSound(const std::string& id);
    virtual ImageFont* RequireFont(const std::string& id);

    // Reads a resource list and adds its entries; false (with the error kept) on a fault.
    [[nodiscard]] bool ParseResourcesFile(const std::string& fileName);
    // The same over text already in memory; fileName only names it in errors.
    [[nodiscard]] bool ParseResourcesBuffer(std::string_view text, const std::string& fileName);

    // The next entry of the current group not loaded yet; false when none is left or after an
    // error.
    bool LoadNextResource();

    bool SetError(const std::string& text);
    bool HadError() const { return mHasFailed; }
    std::string GetErrorText() const { return mError; }

    ResMap mImageMap;
    ResMap mSoundMap;
    ResMap mFontMap;
    VuroAppBase* mApp;               // not owned
    XMLParser* mXMLParser = nullptr; // the list being read; only used to place errors
    std::string mError;
    bool mHasFailed = false;
    std::string mCurResGroup;
    ResMap::iterator mCurImageItr;
    ResMap::iterator mCurSoundItr;
    ResMap::iterator mCurFontItr;
    int mNextSoundId = 0;
    bool mAllowMissingProgramResources = false;

private:
    // The next entry of one map from its cursor that belongs to the group and still waits.
    BaseRes* NextPending(ResMap& map, ResMap::iterator& cursor);
    bool DoLoadSound(SoundRes* res);
    // Each merges the low bytes of a second picture into the alpha of bits; false (error
    // recorded) when it cannot be read or does not fit.
    bool ApplyAlphaImage(ImageRes* res, uint32_t* bits, int width, int height);
    bool ApplyAlphaGrid(ImageRes* res, uint32_t* bits, int width, int height);
    // Records the lookup's message when it is the first error, and throws the kept text.
    [[noreturn]] void Fail(const std::string& message);

    // Resource list reading (ResourceListReader.cpp).
    bool ReadResources();
    bool ReadGroup(const std::string& group);
    bool AddEntry(const std::string& kind, const std::string& group,
                  const std::map<std::string, std::string>& attributes);
    bool ReadImageOptions(ImageRes* res, const std::map<std::string, std::string>& attributes);
};

} // namespace Vuro

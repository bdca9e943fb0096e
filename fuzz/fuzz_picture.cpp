// The picture decoding path on damaged pictures: the bytes pass through the temporary file and
// are decoded by their content, as the picture window reads them.
#include "FuzzSupport.h"
#include "picture/PictureFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tavirel::fuzz::application();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = tavirel::fuzz::asFile(tavirel::picture::temporaryFileName, data, size);
    const QImage image = tavirel::picture::decodePicture(path);
    if (!image.isNull())
        (void)QPixmap::fromImage(image);
    return 0;
}

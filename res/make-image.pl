#!/usr/bin/perl
# Turns a pixel map written as text into a Windows icon (.ico), cursor (.cur)
# or bitmap (.bmp), so that the pictures are reviewed and changed as text and
# no binary image lives in the repository. Only modules of perl-base are used.
#
#   perl make-image.pl SOURCE OUTPUT
#
# A source holds, one per line (blank lines and lines starting with '#' are
# ignored outside the pixel rows):
#
#   kind icon|cursor|bitmap   what to write (first statement)
#   colour C RRGGBB [words]   pixel character C paints this colour; the order
#                             of the colour lines is the order of the palette
#   transparent C             C leaves the screen unchanged (icon, cursor)
#   hotspot X Y               the cursor's active point
#   image W H                 followed at once by H rows of W characters
#
# Icons are 16 colours (4 bits per pixel) and may hold several images;
# bitmaps are 16 colours, uncompressed, one image; cursors are black, white
# and transparent at 1 bit per pixel, one image. Any mistake in a source stops
# the build with the file and line, rather than producing a wrong picture.
use strict;
use warnings;

my $kBitmapInfoHeaderSize = 40;
my $kFileHeaderSize = 14;
my $kPixelsPerMetre = 2835;    # 72 dots per inch

die "usage: $0 SOURCE OUTPUT\n" unless @ARGV == 2;
my ($sourcePath, $outputPath) = @ARGV;

my $source = ReadSource($sourcePath);
my $bytes =
    $source->{kind} eq 'icon'   ? IconFile($source)
  : $source->{kind} eq 'cursor' ? CursorFile($source)
  :                               BitmapFile($source);

my $temporary = "$outputPath.tmp";
open(my $out, '>:raw', $temporary) or die "$temporary: $!\n";
print {$out} $bytes or die "$temporary: $!\n";
close($out) or die "$temporary: $!\n";
rename($temporary, $outputPath) or die "$outputPath: $!\n";
exit 0;

sub Fail
{
    my ($where, $message) = @_;
    die "$where: $message\n";
}

sub ReadSource
{
    my ($path) = @_;
    open(my $in, '<', $path) or die "$path: $!\n";
    my @lines = <$in>;
    close($in);

    my %source = (colours => [], index => {}, images => []);
    my $n = 0;
    while ($n < @lines) {
        my $line = $lines[$n++];
        $line =~ s/\r?\n\z//;
        my $where = "$path:$n";
        next if $line =~ /^\s*(#|$)/;
        my @words = split ' ', $line;
        my $statement = shift @words;
        if (!defined $source{kind}) {
            Fail($where, "the first statement must be 'kind'") unless $statement eq 'kind';
            Fail($where, "kind must be icon, cursor or bitmap")
              unless @words == 1 && $words[0] =~ /^(icon|cursor|bitmap)$/;
            $source{kind} = $words[0];
        } elsif ($statement eq 'colour') {
            Fail($where, "expected: colour C RRGGBB [name]")
              unless @words >= 2 && length($words[0]) == 1 && $words[1] =~ /^[0-9a-fA-F]{6}$/;
            DefinePixel(\%source, $where, $words[0], { rgb => hex($words[1]) });
        } elsif ($statement eq 'transparent') {
            Fail($where, "expected: transparent C") unless @words == 1 && length($words[0]) == 1;
            Fail($where, "a bitmap has no transparent pixels") if $source{kind} eq 'bitmap';
            DefinePixel(\%source, $where, $words[0], { transparent => 1 });
        } elsif ($statement eq 'hotspot') {
            Fail($where, "only a cursor has a hotspot") unless $source{kind} eq 'cursor';
            Fail($where, "expected: hotspot X Y") unless @words == 2 && "@words" =~ /^\d+ \d+$/;
            $source{hotspot} = [@words];
        } elsif ($statement eq 'image') {
            Fail($where, "expected: image W H") unless @words == 2 && "@words" =~ /^\d+ \d+$/;
            my ($width, $height) = @words;
            Fail($where, "an image is 1 to 256 pixels each way")
              if $width < 1 || $height < 1 || $width > 256 || $height > 256;
            my @rows;
            for my $y (0 .. $height - 1) {
                Fail("$path:" . ($n + 1), "missing row $y of the image") if $n >= @lines;
                my $row = $lines[$n++];
                $row =~ s/\r?\n\z//;
                Fail("$path:$n", "row $y has " . length($row) . " pixels, not $width")
                  unless length($row) == $width;
                for my $x (0 .. $width - 1) {
                    my $c = substr($row, $x, 1);
                    Fail("$path:$n", "pixel $x of row $y, '$c', has no colour line")
                      unless exists $source{index}{$c};
                }
                push @rows, $row;
            }
            push @{ $source{images} }, { width => $width, height => $height, rows => \@rows };
        } else {
            Fail($where, "unknown statement '$statement'");
        }
    }

    Fail($path, "no 'kind' statement") unless defined $source{kind};
    Fail($path, "no image") unless @{ $source{images} };
    Fail($path, "a $source{kind} holds one image")
      if $source{kind} ne 'icon' && @{ $source{images} } != 1;
    if ($source{kind} eq 'cursor') {
        Fail($path, "a cursor needs a hotspot") unless $source{hotspot};
        my $image = $source{images}[0];
        Fail($path, "the hotspot lies outside the image")
          if $source{hotspot}[0] >= $image->{width} || $source{hotspot}[1] >= $image->{height};
    }
    return \%source;
}

sub DefinePixel
{
    my ($source, $where, $character, $pixel) = @_;
    Fail($where, "'$character' is defined twice") if exists $source->{index}{$character};
    Fail($where, "'$character' cannot be a pixel") if $character eq '#';
    $source->{index}{$character} = $pixel;
    push @{ $source->{colours} }, $pixel unless $pixel->{transparent};
}

# The palette of a 16-colour image: the colours in the order of their lines,
# padded with black. Each pixel character is mapped to its palette index;
# transparent pixels take black, which leaves the screen untouched under a
# set mask bit.
sub SixteenColourPalette
{
    my ($source) = @_;
    my @colours = map { $_->{rgb} } @{ $source->{colours} };
    Fail($sourcePath, "more than 16 colours") if @colours > 16;
    push @colours, 0 while @colours < 16;
    my %indexOf;
    for my $i (reverse 0 .. 15) { $indexOf{ $colours[$i] } = $i }
    my %pixelIndex;
    while (my ($c, $pixel) = each %{ $source->{index} }) {
        if ($pixel->{transparent}) {
            Fail($sourcePath, "an image with transparent pixels needs black among its 16 colours")
              unless exists $indexOf{0};
            $pixelIndex{$c} = $indexOf{0};
        } else {
            $pixelIndex{$c} = $indexOf{ $pixel->{rgb} };
        }
    }
    return (\@colours, \%pixelIndex);
}

sub RgbQuads
{
    return join '', map { pack('C4', $_ & 0xFF, ($_ >> 8) & 0xFF, ($_ >> 16) & 0xFF, 0) } @_;
}

sub RowBytes
{
    my ($width, $bitsPerPixel) = @_;
    return int(($width * $bitsPerPixel + 31) / 32) * 4;
}

# Rows bottom-up, each padded to whole 32-bit words, the leftmost pixel in the
# highest bits of its byte.
sub PackRows
{
    my ($image, $bitsPerPixel, $valueOf) = @_;
    my $rowBytes = RowBytes($image->{width}, $bitsPerPixel);
    my $bits = '';
    for my $row (reverse @{ $image->{rows} }) {
        my $line = '';
        for my $x (0 .. $image->{width} - 1) {
            my $value = $valueOf->(substr($row, $x, 1));
            $line .= sprintf('%0*b', $bitsPerPixel, $value);
        }
        $line .= '0' x ($rowBytes * 8 - length($line));
        $bits .= pack('B*', $line);
    }
    return $bits;
}

sub InfoHeader
{
    my ($width, $height, $bitsPerPixel, $imageSize, $resolution) = @_;
    return pack('VVVvvVVVVVV', $kBitmapInfoHeaderSize, $width, $height, 1, $bitsPerPixel, 0,
        $imageSize, $resolution, $resolution, 0, 0);
}

# An icon or cursor image: its header counts the colour and the mask rows.
sub MaskedImage
{
    my ($image, $bitsPerPixel, $paletteQuads, $colourOf, $maskOf) = @_;
    my $xor = PackRows($image, $bitsPerPixel, $colourOf);
    my $and = PackRows($image, 1, $maskOf);
    return InfoHeader($image->{width}, 2 * $image->{height}, $bitsPerPixel, length($xor) + length($and), 0)
      . $paletteQuads . $xor . $and;
}

sub MaskOf
{
    my ($source) = @_;
    return sub { $source->{index}{ $_[0] }{transparent} ? 1 : 0 };
}

# An icon or cursor file: a directory of entries, then the images. The two
# 16-bit fields after the entry's colour count are the planes and bit count
# of an icon, and the hotspot of a cursor.
sub DirectoryFile
{
    my ($type, $entries) = @_;
    my $offset = 6 + 16 * @$entries;
    my $directory = pack('vvv', 0, $type, scalar @$entries);
    my $data = '';
    for my $entry (@$entries) {
        my ($image, $colourCount, $field1, $field2, $bytes) = @$entry;
        $directory .= pack('CCCCvvVV', $image->{width} % 256, $image->{height} % 256, $colourCount, 0,
            $field1, $field2, length($bytes), $offset + length($data));
        $data .= $bytes;
    }
    return $directory . $data;
}

sub IconFile
{
    my ($source) = @_;
    my ($colours, $pixelIndex) = SixteenColourPalette($source);
    my $quads = RgbQuads(@$colours);
    my @entries;
    for my $image (@{ $source->{images} }) {
        my $bytes = MaskedImage($image, 4, $quads, sub { $pixelIndex->{ $_[0] } }, MaskOf($source));
        push @entries, [ $image, 16, 1, 4, $bytes ];
    }
    return DirectoryFile(1, \@entries);
}

sub CursorFile
{
    my ($source) = @_;
    my %white;
    for my $c (keys %{ $source->{index} }) {
        my $pixel = $source->{index}{$c};
        next if $pixel->{transparent};
        die "$sourcePath: a cursor is black, white and transparent only\n"
          unless $pixel->{rgb} == 0 || $pixel->{rgb} == 0xFFFFFF;
        $white{$c} = $pixel->{rgb} == 0xFFFFFF;
    }
    my $image = $source->{images}[0];
    my $bytes =
      MaskedImage($image, 1, RgbQuads(0x000000, 0xFFFFFF), sub { $white{ $_[0] } ? 1 : 0 }, MaskOf($source));
    return DirectoryFile(2, [ [ $image, 0, @{ $source->{hotspot} }, $bytes ] ]);
}

sub BitmapFile
{
    my ($source) = @_;
    my ($colours, $pixelIndex) = SixteenColourPalette($source);
    my $image = $source->{images}[0];
    my $pixels = PackRows($image, 4, sub { $pixelIndex->{ $_[0] } });
    my $info = InfoHeader($image->{width}, $image->{height}, 4, length($pixels), $kPixelsPerMetre);
    my $quads = RgbQuads(@$colours);
    my $offset = $kFileHeaderSize + length($info) + length($quads);
    return pack('a2VvvV', 'BM', $offset + length($pixels), 0, 0, $offset) . $info . $quads . $pixels;
}
